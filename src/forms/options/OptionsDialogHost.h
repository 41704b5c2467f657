#pragma once

namespace orvandel {

// What the options dialog asks of the main window, which implements it.
class OptionsDialogHost {
public:
    virtual ~OptionsDialogHost() = default;

    // Lists the album folder DossierImages again; throws when the listing fails.
    virtual void ChargerOptions() = 0;
    // Lets the rotation timer run again, with the interval it already has.
    virtual void enableRotationTimer() = 0;
};

} // namespace orvandel
