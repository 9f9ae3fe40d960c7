#pragma once

#include <memory>
#include <mutex>

// A reference-counted process-wide object: the first Acquire creates it, the last Release
// deletes it. Impl is the concrete class, Interface what callers see.
template <class Interface, class Impl = Interface> class CEfSingleton
{
public:
    static Interface* Acquire()
    {
        std::lock_guard<std::mutex> lock(Mutex());
        if (Count()++ == 0)
            Instance() = std::make_unique<Impl>();
        return Instance().get();
    }

    static void Release()
    {
        std::lock_guard<std::mutex> lock(Mutex());
        if (Count() > 0 && --Count() == 0)
            Instance().reset();
    }

    // The object, or null while nobody holds it.
    static Interface* Get()
    {
        std::lock_guard<std::mutex> lock(Mutex());
        return Instance().get();
    }

private:
    static std::mutex& Mutex()
    {
        static std::mutex m;
        return m;
    }
    static int& Count()
    {
        static int n = 0;
        return n;
    }
    static std::unique_ptr<Interface>& Instance()
    {
        static std::unique_ptr<Interface> p;
        return p;
    }
};
