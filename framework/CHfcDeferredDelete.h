#pragma once

#include <cstddef>
#include <deque>
#include <memory>

// Objects that may still have code of their own on the stack, as a window destroyed from one of
// its own handlers has, wait here until the window thread's message loop deletes them between
// two messages, when no handler runs. They go in the order they came. Window thread only.
class CHfcDeferredDelete
{
public:
    template <class T>
    static void Add(std::unique_ptr<T> object)
    {
        if (object)
            Push(std::make_unique<CHolder<T>>(std::move(object)));
    }
    // Deletes everything waiting, and what their destructors hand in meanwhile. Called by the
    // message loop, at shut-down, and by owners whose waiting children use them.
    static void DeleteAll();
    static size_t GetCount();

private:
    struct CHolderBase
    {
        virtual ~CHolderBase() = default;
    };
    template <class T>
    struct CHolder : CHolderBase
    {
        explicit CHolder(std::unique_ptr<T> o) : object(std::move(o)) {}
        std::unique_ptr<T> object;
    };
    static void Push(std::unique_ptr<CHolderBase> holder);
    static std::deque<std::unique_ptr<CHolderBase>>& Waiting();
};
