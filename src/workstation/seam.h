#pragma once

// One place where the program reaches the world (the clock, the shell, the
// workstation's facts, the message boxes): the production implementation unless
// a test has installed another one.
template <class Interface, class Production>
class Seam
{
public:
    static Interface& current()
    {
        if (s_installed)
            return *s_installed;
        static Production production;
        return production;
    }
    // Not owned; nullptr puts the production implementation back.
    static void install(Interface* instance) { s_installed = instance; }

private:
    static inline Interface* s_installed = nullptr;
};
