// The construction as a pupil watches it: where they are in its steps and whether it plays.
// One state machine for every face; a face owns only its timer, which calls Tick every
// kPlayMilliseconds while playing() holds, and shows the step after each call that changed it.
#pragma once

#include "controls/list_box.h"
#include "lesson/attempt_session.h"
#include "lesson/construction_steps.h"

namespace tamirel {

class ConstructionPlayer {
public:
    // Reads the lists as ConstructionSteps::Follow does. A new figure stops playing and shows
    // its first step, and ends the pupil's attempt at another figure; the same figure keeps its
    // step and goes on playing. Returns whether the figure changed.
    bool Follow(const ListBox& radii, const ListBox& counts);
    bool Follow(double radius, double n);

    // Home, Back and End stop playing and move; Forward moves and plays on. Play starts from
    // the current step (from the first at the last) and, while playing, stops. Each returns
    // whether the step or playing changed; a command that changes nothing is no fault.
    bool Home();
    bool Back();
    bool Forward();
    bool End();
    bool Play();
    bool Stop();
    // While playing: the next step, stopping on the last. Returns whether anything changed.
    bool Tick();

    bool playing() const { return playing_; }
    const ConstructionSteps& steps() const { return steps_; }
    // The pupil's own attempt at the figure, while "Построй сам" is on.
    AttemptSession& attempt() { return attempt_; }
    const AttemptSession& attempt() const { return attempt_; }

private:
    // Stops playing where the figure `changed`; returns `changed`.
    bool NewFigure(bool changed);
    // Stops, and reports whether the step moved or playing stopped.
    bool Stopped(bool moved);

    ConstructionSteps steps_;
    AttemptSession attempt_;
    bool playing_ = false;
};

}  // namespace tamirel
