// The program's start-up after the imaging library: every window is created, the main
// window is shown, and once it is laid out its open handler is registered with the open
// channel's queue, which then delivers the requests that arrived earlier.
#pragma once

#include <memory>

#include "app/Windows.h"

class TMacroQueue;
class TOpenChannel;

std::unique_ptr<TWindows> StartBrowser(TMacroQueue& queue, TOpenChannel* channel);
