// Keeps the running value a of an engine and puts it back when the scope ends, however it ends
// (a return, an error code or an exception): the plot and the calculations leave a0 as they
// found it.
#pragma once

#include "engine/engine_state.h"

class ValueAKeeper {
  public:
    explicit ValueAKeeper(Engine& engine) : engine_(engine), kept_(engine.ValueA) {}
    ~ValueAKeeper() { engine_.ValueA = kept_; }
    ValueAKeeper(const ValueAKeeper&) = delete;
    ValueAKeeper& operator=(const ValueAKeeper&) = delete;

    // The value kept.
    ExtendedReal Kept() const { return kept_; }

  private:
    Engine& engine_;
    const ExtendedReal kept_;
};
