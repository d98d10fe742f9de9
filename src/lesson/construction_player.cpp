#include "lesson/construction_player.h"

namespace tamirel {

bool ConstructionPlayer::Follow(const ListBox& radii, const ListBox& counts) { return NewFigure(steps_.Follow(radii, counts)); }
bool ConstructionPlayer::Follow(double radius, double n) { return NewFigure(steps_.Follow(radius, n)); }

bool ConstructionPlayer::NewFigure(bool changed) {
    if (!changed) return false;
    playing_ = false;
    const bool figure = !steps_.empty();
    attempt_.Follow(figure ? steps_.construction().radius : 0, figure ? steps_.construction().n : 0);
    return true;
}

bool ConstructionPlayer::Stopped(bool moved) {
    const bool was = playing_;
    playing_ = false;
    return moved || was;
}

bool ConstructionPlayer::Home() { return Stopped(steps_.Home()); }
bool ConstructionPlayer::Back() { return Stopped(steps_.Back()); }
bool ConstructionPlayer::End() { return Stopped(steps_.End()); }
bool ConstructionPlayer::Stop() { return Stopped(false); }

bool ConstructionPlayer::Forward() {
    const bool moved = steps_.Forward();
    if (playing_ && steps_.step() == steps_.steps()) playing_ = false;
    return moved;
}

bool ConstructionPlayer::Play() {
    if (playing_) return Stop();
    if (steps_.steps() < 2) return false;   // nothing to play
    if (steps_.step() == steps_.steps()) steps_.Home();
    playing_ = true;
    return true;
}

bool ConstructionPlayer::Tick() { return playing_ && Forward(); }

}  // namespace tamirel
