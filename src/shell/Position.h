#pragma once

// Origin (lower-left corner) of a widget window in screen points, y growing upward.
struct Position {
    double x = 0;
    double y = 0;

    friend bool operator==(const Position &, const Position &) = default;
};
