#pragma once

#include "framework/CEfResourceManager.h"

#include <cstdint>
#include <memory>

// A bitmap registry of which the process holds one instance, shared by reference count: the
// first getInstance makes it and loads its list, each further one takes a reference, and the
// releaseInstance that gives back the last reference destroys it with its bitmaps. Window
// thread only.
template <class T> class CEfResourceManagerSingleton : public CEfResourceManager
{
public:
    // The instance, with one more reference; null when its list cannot be loaded (then no
    // instance is left).
    static T* getInstance()
    {
        if (s_instance)
        {
            ++s_references;
            return s_instance;
        }
        std::unique_ptr<T> made(new T);
        if (!made->LoadBitmaps())
            return nullptr;
        s_instance = made.release();
        s_references = 1;
        return s_instance;
    }
    // Gives one reference back; nothing when there is no instance.
    static void releaseInstance()
    {
        if (s_instance && --s_references == 0)
        {
            delete s_instance;
            s_instance = nullptr;
        }
    }
    // The instance without taking a reference; null when there is none.
    static T* peekInstance() { return s_instance; }
    static int32_t GetReferenceCount() { return s_references; }

protected:
    CEfResourceManagerSingleton() = default;

private:
    static inline T* s_instance = nullptr;
    static inline int32_t s_references = 0;
};
