#include "game/RuneCues.h"

#include "game/Monster.h"

#include <algorithm>

namespace {

// A course's margin of error: a monster turns only once it is 2 degrees off
// its target, and walks in whole steps.
const float COURSE_MARGIN = 0.03f;

// The blast set off by a key pressed now, in ms from now: it is judged from
// the middle of the frame after next on, every half frame, until its time
// has run out. A monster must stand on the square for a whole frame of it.
bool blastCatches(const TimeSpan& onSquare, float blastMs, int frameMs) {
    const float first = 2.0f * static_cast<float>(frameMs);
    const float overlap = std::min(onSquare.end, blastMs) - std::max(onSquare.begin, first);
    return overlap >= static_cast<float>(frameMs);
}

} // namespace

void judgeRuneCues(RuneCues& cues, const std::vector<Monster*>& monsters, glm::vec3 mage,
                   const TrapCueInput (&traps)[TRAP_COLOURS], int frameMs) {
    std::fill(cues.ready, cues.ready + TRAP_COLOURS, false);
    std::fill(cues.headed, cues.headed + TRAP_COLOURS, false);
    cues.arrivals.clear();
    const glm::vec2 mageOnFloor(mage.x, mage.z);
    for (const Monster* monster : monsters) {
        const int kind = monster->kind;
        if (!monster->alive || !monster->inArena || kind < 0 || kind >= TRAP_COLOURS)
            continue;
        const MonsterCourse course = courseOf(*monster, mage, monsters);
        const float distance = glm::length(course.from - mageOnFloor);
        if (!course.held && distance < ARRIVAL_MARK_RANGE) {
            const glm::vec2 stop = course.stop();
            cues.arrivals.push_back({kind, glm::vec3(stop.x, 0.0f, stop.y), distance});
        }
        const TrapCueInput& trap = traps[kind];
        if (!trap.laid)
            continue;
        // A monster standing at the mage stays where it stands: the hit rule
        // alone says whether it is on the square. A course is foreseen with
        // a margin.
        const glm::vec2 rune(trap.at.x, trap.at.z);
        const bool standing = !course.held && course.length <= 0.0f;
        const TimeSpan onSquare =
            timeWithin(course, rune, standing ? BLAST_REACH : BLAST_REACH - COURSE_MARGIN);
        if (onSquare.empty())
            continue;
        cues.headed[kind] = true;
        // A monster still to come onto the square must find its way clear
        // of the crowd until it stands on it.
        if (onSquare.begin > 0.0f &&
            !courseClearFor(course, *monster, monsters, onSquare.begin + 2.0f * frameMs))
            continue;
        cues.ready[kind] =
            cues.ready[kind] || (trap.keyWouldAct && blastCatches(onSquare, trap.blastMs, frameMs));
    }
}
