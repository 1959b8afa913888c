#pragma once

namespace s::lang {

class Localizer;

// Told after the localizer's current language changed, on the thread that
// changed it.
class ILanguageListener {
public:
    virtual ~ILanguageListener() = default;
    virtual void languageChanged(Localizer* localizer) = 0;
};

}  // namespace s::lang
