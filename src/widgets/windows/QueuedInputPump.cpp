#include "widgets/QueuedInputPump.h"

// Windows delivers input through the thread's message queue, which the toolkit's loop waits on itself.

std::unique_ptr<QueuedInputPump> QueuedInputPump::startIfNeeded()
{
    return nullptr;
}

QueuedInputPump::QueuedInputPump() = default;

QueuedInputPump::~QueuedInputPump() = default;

void QueuedInputPump::timerCallback() {}
