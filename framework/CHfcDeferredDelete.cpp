#include "framework/CHfcDeferredDelete.h"

std::deque<std::unique_ptr<CHfcDeferredDelete::CHolderBase>>& CHfcDeferredDelete::Waiting()
{
    static std::deque<std::unique_ptr<CHolderBase>> waiting;
    return waiting;
}

void CHfcDeferredDelete::Push(std::unique_ptr<CHolderBase> holder)
{
    Waiting().push_back(std::move(holder));
}

void CHfcDeferredDelete::DeleteAll()
{
    auto& waiting = Waiting();
    // One at a time off the front: a destructor may add to the queue or empty it itself.
    while (!waiting.empty())
    {
        std::unique_ptr<CHolderBase> next = std::move(waiting.front());
        waiting.pop_front();
        next.reset();
    }
}

size_t CHfcDeferredDelete::GetCount()
{
    return Waiting().size();
}
