// One installed implementation per platform service. The tool installs the real ones at start-up;
// tests install doubles for the length of a scope. Without an installation a service falls back to
// its `Fallback` implementation, which needs no display.
#pragma once

template <class Service, class Fallback> class ServiceSlot
{
public:
    static Service& get()
    {
        if (s_current)
            return *s_current;
        static Fallback fallback;
        return fallback;
    }
    // The slot does not own the service; pass nullptr to return to the fallback.
    static Service* install(Service* service)
    {
        Service* previous = s_current;
        s_current = service;
        return previous;
    }

private:
    inline static Service* s_current = nullptr;
};

// Installs a service for the lifetime of the guard and restores the previous one afterwards.
template <class Slot, class Service> class ScopedService
{
public:
    explicit ScopedService(Service& service) : m_previous(Slot::install(&service)) {}
    ~ScopedService() { Slot::install(m_previous); }
    ScopedService(const ScopedService&) = delete;
    ScopedService& operator=(const ScopedService&) = delete;

private:
    Service* m_previous;
};
