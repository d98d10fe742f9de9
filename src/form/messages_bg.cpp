// The catalogue in Bulgarian: every sentence of the lesson, the construction and the figure
// description, and the polygons' names. A translation is a file like this one, with the same
// entries in the same order and the same places, compiled instead of it.
#include <array>
#include <string>
#include <utility>

#include "form/messages.h"
#include "form/polygon_names.h"

namespace tamirel {

namespace {

using M = Message;

constexpr std::pair<Message, const char*> kCatalogue[] = {
    {M::PolygonOfCount, "{digits}-ъгълник"},
    {M::Regular, "правилен {name}"},
    {M::RegularDefinite, "правилния {name}"},
    {M::RegularTitle, "Правилен {name}"},
    {M::Square, "квадрат"},
    {M::SquareDefinite, "квадрата"},
    {M::SquareTitle, "Квадрат"},

    {M::EmptyDrawing, "Празен чертеж"},
    {M::FiguresCounted, "{total} фигури, последните три вида: {kinds}"},
    {M::FigureRepeated, "{times} × {figure}"},
    {M::FirstCircle, "Окръжност с радиус {radius}"},
    {M::NextCircle, "окръжност с радиус {radius}"},
    {M::CircleAndPolygon, "{circle} и вписан {polygon} с вътрешен ъгъл {angle}°"},
    // The main window's words end here: built with TAMIREL_WINDOW_WORDS_ONLY (the browser's
    // module for the main window alone), the catalogue keeps only those above.
#ifndef TAMIREL_WINDOW_WORDS_ONLY

    {M::NoFigure, "Няма избрана фигура"},
    {M::Givens, "R = {radius} единици, n = {n}"},
    {M::LessonHeading, "{title}. {givens}."},
    {M::LessonNumber, "{name}: {working}"},
    {M::LessonNumberName, "{name}:"},
    {M::LessonWorking, "{formula} = {putIn} {result}"},
    {M::LessonSentence, "{text}."},
    {M::Degrees, "{relation} {value}°"},
    {M::Units, "{relation} {value} единици"},
    {M::SquareUnits, "{relation} {value} кв. единици"},
    {M::InteriorAngle, "Вътрешен ъгъл"},
    {M::InteriorAngleFormula, "α = (n − 2)·180° : n"},
    {M::InteriorAnglePutIn, "({n} − 2)·180° : {n}"},
    {M::CentralAngle, "Централен ъгъл"},
    {M::CentralAngleFormula, "∠A₁OA₂ = 360° : n"},
    {M::CentralAnglePutIn, "360° : {n}"},
    {M::AngleSum, "Сбор на вътрешните ъгли"},
    {M::AngleSumFormula, "(n − 2)·180°"},
    {M::AngleSumPutIn, "({n} − 2)·180°"},
    {M::Side, "Страна"},
    {M::SideFormula, "a = 2R·sin(180° : n)"},
    {M::SidePutIn, "2·{radius}·sin(180° : {n})"},
    {M::Perimeter, "Периметър"},
    {M::PerimeterFormula, "P = n·a"},
    {M::PerimeterPutIn, "{n}·{side}"},
    {M::Apothem, "Апотема r, радиусът на вписаната окръжност"},
    {M::ApothemFormula, "r = R·cos(180° : n)"},
    {M::ApothemPutIn, "{radius}·cos(180° : {n})"},
    {M::Area, "Лице"},
    {M::AreaFormula, "S = P·r : 2"},
    {M::AreaPutIn, "{perimeter}·{apothem} : 2"},

    {M::ConstructionTitle, "Построяване на {polygon}"},
    {M::DrawingTitle, "Чертане на {polygon}"},
    {M::StepCaption, "Стъпка {step} от {count}"},
    {M::StepHeading, "{title} — {caption}"},
    {M::RefusedStep, "Стъпка {step}: {reason}"},

    {M::GivenCircle, "Дадена е окръжност {circle}({centre}; R), R = {radius}."},
    {M::ChosenPoint, "Избираме точка {point} от {circle}."},
    {M::DrawLine, "Построяваме правата {line}."},
    {M::DrawCircle, "Построяваме окръжност {circle} с център {centre} и радиус {radius}."},
    {M::Protractor, "С транспортир нанасяме от лъча {ray} обратно на часовниковата стрелка ъгъл {angle}° с връх {vertex}."},
    {M::Sides, "Свързваме последователно точките {points}."},
    {M::ListNext, "{list}, {item}"},
    {M::ListLast, "{list} и {item}"},
    {M::OtherArmCrosses, "Другото му рамо пресича {line} в точка {point}."},
    {M::TwoCrossings, "Пресечните точки на {pair} означаваме с {first} и {second}."},
    {M::SecondCrossing, "Втората пресечна точка на {pair} означаваме с {point}."},
    {M::NearerCrossing, "Пресечната точка на {pair}, по-близка до {near}, означаваме с {point}."},
    {M::OnlyCrossing, "Пресечната точка на {pair} означаваме с {point}."},
    {M::TheLine, "правата {name}"},
    {M::TheLines, "правите {first} и {second}"},
    {M::TwoObjects, "{first} и {second}"},
    {M::ThatLine, "нея"},
    {M::Above, "над {line}"},
    {M::Below, "под {line}"},
    {M::LeftOf, "вляво от {line}"},
    {M::RightOf, "вдясно от {line}"},
    {M::NearerTo, "по-близо до {point}"},
    {M::NearerToShort, "до {point}"},
    {M::PointIs, "{point} е {where}."},
    {M::PointsAre, "{first} е {where}, а {second} е {otherWhere}."},
    {M::PointsAreShort, "{first} е {where}, а {second} — {otherWhere}."},

    {M::NotMadeYet, "точка {point} още не е построена"},
    {M::NotDrawnYet, "{object} още не е начертана"},
    {M::NameTaken, "името „{name}“ вече е дадено"},
    {M::LineNeedsTwoPoints, "правата се определя от две точки"},
    {M::LineThroughOnePoint, "през две съвпадащи точки минават безброй прави"},
    {M::CircleNeedsCentreAndRadius, "окръжността се определя от център и радиус"},
    {M::CircleOfNoRadius, "радиусът на окръжността е нула"},
    {M::OnlyStraightedgeAndCompass, "тук се използват само линийка и пергел"},
    {M::AngleNeedsVertexAndArm, "ъгълът се нанася от връх и рамо"},
    {M::ArmUndefined, "рамото на ъгъла не е определено"},
    {M::PolygonNeedsThreeVertices, "многоъгълникът има поне три върха"},
    {M::GivenOnlyFirst, "дадените точки и окръжности са само в началото"},
    {M::GivenCircleNeeds, "дадената окръжност се задава с центъра си и радиуса си"},
    {M::ChosenOnGivenCircle, "избира се точка от дадена окръжност"},
    {M::NotACrossing, "{point} не е пресечна точка на две линии"},
    {M::DoNotCross, "{first} и {second} не се пресичат"},
    {M::WhichCrossing, "не е ясно коя пресечна точка е {point}"},

    {M::ChosenSoThat, "Избираме я така, че многоъгълникът да стъпва на хоризонтална долна страна."},
    {M::SymmetricLines, "Правите {first} и {second} са симетрични спрямо диаметъра, перпендикулярен на {diameter}, и се "
                        "пресичат върху него."},
    {M::PerpendicularDiameters, "Диаметрите {first} и {second} са перпендикулярни."},
    {M::PerpendicularBisector, "Правата {line} е симетралата на {chord}."},
    {M::MidpointOfRadius, "{point} е средата на радиуса {radius}."},
    {M::GoldenSection, "OG е страната на правилния десетоъгълник, а {pentagonSide} — страната на правилния петоъгълник, "
                       "вписани в k."},
    {M::PolygonMade, "Получаваме {polygon} {vertices}."},
    {M::TriangleArcs, "Дъгите A₁A₂, A₂A₃ и A₃A₁ са по 120°."},
    {M::HexagonSide, "Страната на правилния шестоъгълник е равна на радиуса R."},
    {M::PentadecagonArc, "A₆ е връх на вписания правилен триъгълник A₁A₆A₁₁, а A₇ — на петоъгълника; дъгата A₆A₇ е "
                         "144° − 120° = 24° = 360°/15."},
    {M::Midpoint, "{point} е средата на {segment}."},
    {M::MidpointQuarter, "{point} е средата на {segment}, така че {part} = {whole} : 4."},
    {M::Bisects, "Правата {line} разполовява ∠{angle}."},
    {M::QuarterOf, "∠{part} е четвърт от ∠{angle}."},
    {M::Perpendicular, "{line} е перпендикулярна на {other}."},
    {M::Angle45, "∠GJH = 45°."},
    {M::OnPerpendicular, "{first} и {second} лежат на перпендикуляра към {line} в {foot}."},
    {M::NotConstructible, "{polygon} не може да се построи само с линийка и пергел. Правилен n-ъгълник се построява с "
                          "линийка и пергел точно когато n е степен на 2, умножена по различни прости числа на Ферма "
                          "(известни са пет: 3, 5, 17, 257 и 65\u00A0537). {why} Затова го чертаем с транспортир: нанасяме "
                          "централния ъгъл 360° : {n} {relation} {central}° последователно около центъра."},
    {M::PrimeNotFermat, "{n} е просто число, но не е число на Ферма."},
    {M::FactorNotFermat, "{n} = {factors} се дели на {prime}, което не е число на Ферма."},
    {M::FermatTwice, "{n} = {factors} съдържа простото число на Ферма 3 два пъти."},
    {M::HeptagonApproximation, "Приблизително построяване: за страна се взема половината от страната на вписания "
                               "правилен триъгълник; всеки централен ъгъл излиза с около {error}° по-малък, а след "
                               "седем стъпки разликата е около {total}°."},

    {M::CommandFold, "Скрий"},
    {M::CommandUnfold, "Покажи"},
    {M::CommandFoldHint, "Показва списъците на прозореца под урока"},
    {M::CommandDiagonals, "Диагонали от A₁"},
    {M::CommandCopy, "Копирай"},
    {M::CommandSave, "Запази като…"},
    {M::CommandPrint, "Печат…"},
    {M::CommandClose, "Затвори"},
    {M::CommandHome, "Начало"},
    {M::CommandBack, "Назад"},
    {M::CommandPlay, "Пусни"},
    {M::CommandStop, "Спри"},
    {M::CommandForward, "Напред"},
    {M::CommandEnd, "Край"},
    {M::CommandCopyStep, "Копирай стъпката"},
    {M::CommandSaveStep, "Запази стъпката…"},
    {M::CommandPrintHandout, "Печат на построяването…"},
    {M::KeyLeft, "Стрелка наляво"},
    {M::KeyRight, "Стрелка надясно"},
    {M::KeySpace, "Интервал"},
    {M::AttemptLine, "Начертахте правата {line}."},
    {M::AttemptCircle, "Начертахте окръжността {circle} с център {centre} през {through}."},
    {M::AttemptOpening, "Начертахте окръжността {circle} с център {centre} и радиус {opening}."},
    {M::AttemptArm, "Начертахте рамото {line} на ъгъла {angle}° при {vertex}."},
    {M::AttemptPoint, "Построихте точка {point} — пресечна точка на {first} и {second}."},
    {M::AttemptVertex, "Това е връх на {polygon}: построени са {made} от {n} върха."},
    {M::AttemptSide, "Начертахте страната {side}."},
    {M::AttemptNotMade, "Точка {point} още не е построена."},
    {M::AttemptSamePoint, "Изберете две различни точки."},
    {M::AttemptLineDrawn, "Тази права вече е начертана: {line}."},
    {M::AttemptCircleDrawn, "Тази окръжност вече е начертана: {circle}."},
    {M::AttemptSideDrawn, "Страната {side} вече е начертана."},
    {M::AttemptNoCrossing, "Тук не се пресичат начертани линии."},
    {M::AttemptTangent, "Тук {first} и {second} само се допират: допирната точка не може да се построи точно."},
    {M::AttemptNoProtractor, "{polygon} се построява с линийка и пергел: транспортирът не е нужен."},
    {M::AttemptBadMove, "Ходът не е пълен."},
    {M::AttemptMovesOne, "1 ход"},
    {M::AttemptMovesMany, "{count} хода"},
    {M::AttemptVerdict, "Построихте {polygon} за {moves} (в урока: {worked})."},
    {M::AttemptHintsUsed, "Използвани подсказки: {hints}."},
    {M::AttemptHintLine, "Подсказка: начертайте правата през {first} и {second}."},
    {M::AttemptHintCircle, "Подсказка: начертайте окръжност с център {centre} през {through}."},
    {M::AttemptHintOpening, "Подсказка: начертайте окръжност с център {centre} и радиус {opening}."},
    {M::AttemptHintPoint, "Подсказка: постройте пресечната точка на {first} и {second}."},
    {M::AttemptHintSide, "Подсказка: начертайте страната {side}."},
    {M::AttemptHintArm, "Подсказка: с транспортира отмерете ъгъл {angle}° при {vertex} от лъча {ray}."},
    {M::AttemptNoHint, "Няма какво да се подскаже: построяването е завършено."},
    {M::AttemptMoveLine, "Права {line}"},
    {M::AttemptMoveCircle, "Окръжност {circle} с център {centre} през {through}"},
    {M::AttemptMoveOpening, "Окръжност {circle} с център {centre} и радиус {opening}"},
    {M::AttemptMoveArm, "Рамо {line} на ъгъл {angle}° при {vertex}"},
    {M::AttemptMovePoint, "Точка {point} — пресечна точка на {first} и {second}"},
    {M::AttemptMoveSide, "Страна {side}"},
    {M::AttemptFileForeign, "Това не е файл с построяване на Tamirel."},
    {M::AttemptFileNewer, "Файлът е от по-нова версия на Tamirel (версия {version}); тази програма отваря версия {ours}."},
    {M::AttemptFileTooLarge, "Файлът е твърде голям за построяване."},
    {M::AttemptFileLine, "Файлът е повреден: ред {line} не може да се прочете."},
    {M::AttemptFileFigure, "Файлът е за фигура, която списъците не предлагат (ред {line})."},
    {M::AttemptFileCut, "Файлът е непълен: краят му липсва."},
    {M::AttemptFileReplay, "Ход {move} от файла (ред {line}) не може да се повтори: {reason}"},
    {M::AttemptTitle, "Построй сам: {polygon}"},
    {M::AttemptStart, "Дадени са окръжността k(O; R) и точката A₁ от нея. Постройте върховете на {polygon} и начертайте страните му."},
    {M::AttemptUseProtractor, "Отмерете централния ъгъл 360° : {n} {angle}° с транспортира."},
    {M::AttemptStatus, "Ходове: {moves} (в урока: {worked}). Построени върхове: {made} от {n}."},
    {M::AttemptPromptLineFirst, "Линийка: изберете първата точка на правата."},
    {M::AttemptPromptLineSecond, "Линийка: изберете втората точка на правата."},
    {M::AttemptPromptCentre, "Пергел: изберете центъра на окръжността."},
    {M::AttemptPromptThrough, "Пергел: изберете точка, през която минава окръжността."},
    {M::AttemptPromptOpeningFirst, "Разтвор: изберете първия край на разтвора."},
    {M::AttemptPromptOpeningSecond, "Разтвор: изберете втория край на разтвора."},
    {M::AttemptPromptOpeningCentre, "Разтвор: изберете центъра на окръжността."},
    {M::AttemptPromptCrossing, "Пресечна точка: изберете къде се пресичат две линии."},
    {M::AttemptPromptSideFirst, "Страни: изберете първия връх."},
    {M::AttemptPromptSideNext, "Страни: изберете следващия връх."},
    {M::AttemptPromptArmVertex, "Транспортир: изберете върха на ъгъла."},
    {M::AttemptPromptArmRay, "Транспортир: изберете точка от първото рамо на ъгъла."},
    {M::AttemptPicked, "Избрана е точка {point}."},
    {M::AttemptNoPointHere, "Тук няма построена точка."},
    {M::AttemptTargetPoint, "Точка {point}"},
    {M::AttemptTargetCrossing, "Пресечна точка на {first} и {second}"},
    {M::AttemptNoTargets, "Няма какво да се избере с този инструмент."},
    {M::AttemptUndone, "Ходът е отменен."},
    {M::AttemptRedone, "Ходът е повторен."},
    {M::AttemptNothingToUndo, "Няма ход за отменяне."},
    {M::AttemptNothingToRedo, "Няма ход за повторение."},
    {M::AttemptOpened, "Отворен е опит с {moves}."},
    {M::AttemptMovesHeading, "Ходове:"},
    {M::AttemptFileType, "Опит за построяване"},
    {M::AttemptUnreadable, "Файлът „{path}“ не може да бъде прочетен: няма го или нямате право да го четете."},
    {M::AttemptNotSaved, "Опитът не беше запазен в „{path}“."},
    {M::AttemptNotOpened, "Опитът от „{path}“ не беше отворен."},
    {M::CommandBuild, "Построй сам"},
    {M::CommandWatch, "Към стъпките"},
    {M::CommandStraightedge, "Линийка"},
    {M::CommandCompass, "Пергел"},
    {M::CommandOpening, "Разтвор"},
    {M::CommandCrossing, "Пресечна точка"},
    {M::CommandSides, "Страни"},
    {M::CommandProtractor, "Транспортир"},
    {M::CommandUndo, "Назад"},
    {M::CommandRedo, "Напред"},
    {M::CommandRestart, "Отначало"},
    {M::CommandHint, "Подсказка"},
    {M::CommandHintHint, "Следващата стъпка от урока, която построеното позволява"},
    {M::CommandBuildHint, "Постройте многоъгълника сами с линийка и пергел; програмата проверява всеки ход"},
    {M::CommandRestartHint, "Отначало: остават само окръжността k и точката A₁"},
    {M::CommandSaveAttempt, "Запази опита…"},
    {M::CommandOpenAttempt, "Отвори опит…"},
    {M::CommandCopyAttempt, "Копирай опита"},
    {M::CommandPrintAttempt, "Печат на опита…"},
    {M::CommandPickNext, "Следваща цел"},
    {M::CommandPickPrevious, "Предишна цел"},
    {M::CommandPick, "Избери"},
    {M::KeyUp, "Стрелка нагоре"},
    {M::KeyDown, "Стрелка надолу"},
#endif
};
#ifdef TAMIREL_WINDOW_WORDS_ONLY
constexpr Message kEnd = Message::NoFigure;
#else
constexpr Message kEnd = Message::Count;
#endif

constexpr bool InOrder() {
    if (std::size(kCatalogue) != static_cast<std::size_t>(kEnd)) return false;
    for (std::size_t i = 0; i < std::size(kCatalogue); ++i)
        if (static_cast<std::size_t>(kCatalogue[i].first) != i) return false;
    return true;
}
static_assert(InOrder(), "the catalogue gives every message once, in the order of Message");

constexpr std::array<const char*, kMostVertices - kFewestVertices + 1> kPolygonWords = {
    "триъгълник",          "четириъгълник",        "петоъгълник",           "шестоъгълник",
    "седмоъгълник",        "осмоъгълник",          "деветоъгълник",         "десетоъгълник",
    "единадесетоъгълник",  "дванадесетоъгълник",   "тринадесетоъгълник",    "четиринадесетоъгълник",
    "петнадесетоъгълник",  "шестнадесетоъгълник",  "седемнадесетоъгълник",  "осемнадесетоъгълник",
    "деветнадесетоъгълник", "двадесетоъгълник",
};

}  // namespace

std::string_view Template(Message id) {
    const auto at = static_cast<std::size_t>(id);
    if (at >= std::size(kCatalogue)) throw MessageError("Изречение " + std::to_string(at) + " не е в този каталог");
    return kCatalogue[at].second;
}

std::string_view PolygonWord(int n) {
    if (n < kFewestVertices || n > kMostVertices) return {};
    return kPolygonWords[static_cast<std::size_t>(n - kFewestVertices)];
}

}  // namespace tamirel
