// The three pictures the window chooses among, and what drawing one of them reports.
#pragma once

enum class PictureMode { Graph, Terms, Cobweb };

struct PictureOutcome {
    bool UsesX = false;           // as PlotCurve answers: the run reports the graph as built
    bool CobwebNeedsMap = false;  // a cobweb asked of an expression with n: nothing drawn
};
