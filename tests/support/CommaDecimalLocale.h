#pragma once
// Switches the C library to a language that writes decimals with a comma (as a
// German system's does) for the life of the object, the way the application
// object does at start-up on such a system. scripts/install-deps.sh makes sure
// the locale exists.
#include <clocale>
#include <string>

class CommaDecimalLocale {
public:
    CommaDecimalLocale()
    {
        m_saved = std::setlocale(LC_ALL, nullptr);
        for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8", "fr_FR.utf8"}) {
            if (std::setlocale(LC_ALL, name)) {
                m_active = *std::localeconv()->decimal_point == ',';
                if (m_active)
                    break;
            }
        }
    }
    ~CommaDecimalLocale() { std::setlocale(LC_ALL, m_saved.c_str()); }
    CommaDecimalLocale(const CommaDecimalLocale&) = delete;
    CommaDecimalLocale& operator=(const CommaDecimalLocale&) = delete;

    // False when no comma-decimal locale is installed on this machine.
    bool active() const { return m_active; }

private:
    std::string m_saved;
    bool m_active = false;
};
