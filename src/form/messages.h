// The words of the lesson, the construction and the figure description: every sentence is a
// template with named places ("Стъпка {step} от {count}"), kept in one catalogue file
// (messages_bg.cpp), so that a translation is one file beside it. Names of points, formulas'
// symbols and numbers come in through the places.
#pragma once

#include <initializer_list>
#include <stdexcept>
#include <string>
#include <string_view>

namespace tamirel {

// The catalogue's entries; each translation gives every one, in this order.
enum class Message {
    // Polygons (polygon_names): {name} is a polygon's name, {digits} a vertex count.
    PolygonOfCount,           // "{digits}-ъгълник"
    Regular,                  // "правилен {name}"
    RegularDefinite,          // "правилния {name}", as a sentence's object
    RegularTitle,             // "Правилен {name}"
    Square,
    SquareDefinite,
    SquareTitle,
    // The figure description.
    EmptyDrawing,
    FiguresCounted,           // {total}, {kinds}
    FigureRepeated,           // {times}, {figure}
    FirstCircle,              // {radius}
    NextCircle,               // {radius}
    CircleAndPolygon,         // {circle}, {polygon}, {angle}
    // The lesson.
    NoFigure,
    Givens,                   // {radius}, {n}
    LessonHeading,            // {title}, {givens}
    LessonNumber,             // {name}, {working}
    LessonNumberName,         // {name}: the first of two lines
    LessonWorking,            // {formula}, {putIn}, {result}
    LessonSentence,           // {text}
    Degrees,                  // {relation}, {value}
    Units,                    // {relation}, {value}
    SquareUnits,              // {relation}, {value}
    // Each worked number: its name, its formula, then its put-in figures, in this order.
    InteriorAngle, InteriorAngleFormula, InteriorAnglePutIn,                // {n}
    CentralAngle, CentralAngleFormula, CentralAnglePutIn,                   // {n}
    AngleSum, AngleSumFormula, AngleSumPutIn,                               // {n}
    Side, SideFormula, SidePutIn,                                           // {radius}, {n}
    Perimeter, PerimeterFormula, PerimeterPutIn,                            // {n}, {side}
    Apothem, ApothemFormula, ApothemPutIn,                                  // {radius}, {n}
    Area, AreaFormula, AreaPutIn,                                           // {perimeter}, {apothem}
    // The construction's steps and pages.
    ConstructionTitle,        // {polygon}
    DrawingTitle,             // {polygon}
    StepCaption,              // {step}, {count}
    StepHeading,              // {title}, {caption}
    RefusedStep,              // {step}, {reason}
    // The sentences the checker writes for each step.
    GivenCircle,              // {circle}, {centre}, {radius}
    ChosenPoint,              // {point}, {circle}
    DrawLine,                 // {line}
    DrawCircle,               // {circle}, {centre}, {radius}
    Protractor,               // {ray}, {angle}, {vertex}
    Sides,                    // {points}
    ListNext,                 // {list}, {item}
    ListLast,                 // {list}, {item}
    OtherArmCrosses,          // {line}, {point}
    TwoCrossings,             // {pair}, {first}, {second}
    SecondCrossing,           // {pair}, {point}
    NearerCrossing,           // {pair}, {near}, {point}
    OnlyCrossing,             // {pair}, {point}
    TheLine,                  // {name}
    TheLines,                 // {first}, {second}
    TwoObjects,               // {first}, {second}
    ThatLine,                 // the line just named, as a pronoun
    Above, Below, LeftOf, RightOf,   // {line}
    NearerTo,                 // {point}
    NearerToShort,            // {point}, after a NearerTo
    PointIs,                  // {point}, {where}
    PointsAre,                // {first}, {where}, {second}, {otherWhere}
    PointsAreShort,           // {first}, {where}, {second}, {otherWhere}: the verb said once
    // The checker's refusals.
    NotMadeYet,               // {point}
    NotDrawnYet,              // {object}
    NameTaken,                // {name}
    LineNeedsTwoPoints,
    LineThroughOnePoint,
    CircleNeedsCentreAndRadius,
    CircleOfNoRadius,
    OnlyStraightedgeAndCompass,
    AngleNeedsVertexAndArm,
    ArmUndefined,
    PolygonNeedsThreeVertices,
    GivenOnlyFirst,
    GivenCircleNeeds,
    ChosenOnGivenCircle,
    NotACrossing,             // {point}
    DoNotCross,               // {first}, {second}
    WhichCrossing,            // {point}
    // The notes of the polygons' constructions.
    ChosenSoThat,
    SymmetricLines,           // {first}, {second}, {diameter}
    PerpendicularDiameters,   // {first}, {second}
    PerpendicularBisector,    // {line}, {chord}
    MidpointOfRadius,         // {point}, {radius}
    GoldenSection,            // {pentagonSide}
    PolygonMade,              // {polygon}, {vertices}
    TriangleArcs,
    HexagonSide,
    PentadecagonArc,
    Midpoint,                 // {point}, {segment}
    MidpointQuarter,          // {point}, {segment}, {part}, {whole}
    Bisects,                  // {line}, {angle}
    QuarterOf,                // {part}, {angle}
    Perpendicular,            // {line}, {other}
    Angle45,
    OnPerpendicular,          // {first}, {second}, {line}, {foot}
    NotConstructible,         // {polygon}, {why}, {n}, {relation}, {central}
    PrimeNotFermat,           // {n}
    FactorNotFermat,          // {n}, {factors}, {prime}
    FermatTwice,              // {n}, {factors}
    HeptagonApproximation,    // {error}, {total}
    // The lesson's and the construction's commands, and the keys whose names are words.
    CommandFold,
    CommandUnfold,
    CommandFoldHint,
    CommandDiagonals,
    CommandCopy,
    CommandSave,
    CommandPrint,
    CommandClose,
    CommandHome,
    CommandBack,
    CommandPlay,
    CommandStop,
    CommandForward,
    CommandEnd,
    CommandCopyStep,
    CommandSaveStep,
    CommandPrintHandout,
    KeyLeft,
    KeyRight,
    KeySpace,
    // The pupil's own construction: moves, refusals, hints, the verdict and its file.
    AttemptLine,              // {line}
    AttemptCircle,            // {circle}, {centre}, {through}
    AttemptOpening,           // {circle}, {centre}, {opening}
    AttemptArm,               // {line}, {angle}, {vertex}
    AttemptPoint,             // {point}, {first}, {second}
    AttemptVertex,            // {polygon} (definite), {made}, {n}
    AttemptSide,              // {side}
    AttemptNotMade,           // {point}
    AttemptSamePoint,
    AttemptLineDrawn,         // {line}
    AttemptCircleDrawn,       // {circle}
    AttemptSideDrawn,         // {side}
    AttemptNoCrossing,
    AttemptTangent,           // {first}, {second}
    AttemptNoProtractor,      // {polygon} (title)
    AttemptBadMove,
    AttemptMovesOne,
    AttemptMovesMany,         // {count}
    AttemptVerdict,           // {polygon}, {moves}, {worked}
    AttemptHintsUsed,         // {hints}
    AttemptHintLine,          // {first}, {second}
    AttemptHintCircle,        // {centre}, {through}
    AttemptHintOpening,       // {centre}, {opening}
    AttemptHintPoint,         // {first}, {second}
    AttemptHintSide,          // {side}
    AttemptHintArm,           // {angle}, {vertex}, {ray}
    AttemptNoHint,
    AttemptMoveLine,          // {line}
    AttemptMoveCircle,        // {circle}, {centre}, {through}
    AttemptMoveOpening,       // {circle}, {centre}, {opening}
    AttemptMoveArm,           // {line}, {angle}, {vertex}
    AttemptMovePoint,         // {point}, {first}, {second}
    AttemptMoveSide,          // {side}
    AttemptFileForeign,
    AttemptFileNewer,         // {version}, {ours}
    AttemptFileTooLarge,
    AttemptFileLine,          // {line}
    AttemptFileFigure,        // {line}
    AttemptFileCut,
    AttemptFileReplay,        // {move}, {line}, {reason}
    AttemptTitle,             // {polygon}
    AttemptStart,             // {polygon} (definite)
    AttemptUseProtractor,     // {n}, {angle} ("≈ 51,43" or "= 60")
    AttemptStatus,            // {moves}, {worked}, {made}, {n}
    AttemptPromptLineFirst,
    AttemptPromptLineSecond,
    AttemptPromptCentre,
    AttemptPromptThrough,
    AttemptPromptOpeningFirst,
    AttemptPromptOpeningSecond,
    AttemptPromptOpeningCentre,
    AttemptPromptCrossing,
    AttemptPromptSideFirst,
    AttemptPromptSideNext,
    AttemptPromptArmVertex,
    AttemptPromptArmRay,
    AttemptPicked,            // {point}
    AttemptNoPointHere,
    AttemptTargetPoint,       // {point}
    AttemptTargetCrossing,    // {first}, {second}
    AttemptNoTargets,
    AttemptUndone,
    AttemptRedone,
    AttemptNothingToUndo,
    AttemptNothingToRedo,
    AttemptOpened,            // {moves}
    AttemptMovesHeading,
    AttemptFileType,          // the file dialogs' name for an attempt file
    AttemptUnreadable,        // {path}
    AttemptNotSaved,          // {path}
    AttemptNotOpened,         // {path}
    CommandBuild,
    CommandWatch,
    CommandStraightedge,
    CommandCompass,
    CommandOpening,
    CommandCrossing,
    CommandSides,
    CommandProtractor,
    CommandUndo,
    CommandRedo,
    CommandRestart,
    CommandHint,
    CommandHintHint,
    CommandBuildHint,
    CommandRestartHint,
    CommandSaveAttempt,
    CommandOpenAttempt,
    CommandCopyAttempt,
    CommandPrintAttempt,
    CommandPickNext,
    CommandPickPrevious,
    CommandPick,
    KeyUp,
    KeyDown,
    Count
};

// A template's place and what fills it.
struct Place {
    std::string_view name;
    std::string_view value;
};

// A template that its caller cannot fill: a place with no value given, or a brace that opens
// or closes no place. Raised by the catalogue's own words only through a fault in the program.
class MessageError : public std::logic_error {
public:
    explicit MessageError(const std::string& description) : std::logic_error(description) {}
};

// `pattern` with every "{name}" (letters, digits, '_') replaced by the value `places` give that
// name, as it is (a value's braces are text). A place may stand more than once or not at all; a
// place without a value, an empty or unclosed "{", and a "}" closing nothing throw MessageError.
std::string Format(std::string_view pattern, std::initializer_list<Place> places);

// The catalogue's template for `id`, and it filled.
std::string_view Template(Message id);
std::string Say(Message id, std::initializer_list<Place> places = {});

// The name of the polygon of `n` vertices (kFewestVertices..kMostVertices), lower case, from the
// catalogue: "триъгълник" … "двадесетоъгълник"; empty for any other count.
std::string_view PolygonWord(int n);

}  // namespace tamirel
