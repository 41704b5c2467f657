#pragma once

#include <QWidget>

#include <memory>

namespace orvandel::desktop {

// The program's button on the taskbar and its calls for attention. The button belongs to the main
// form: until the program has one, the button's state is kept and applied to it once it is set.
class TaskbarButton {
public:
    virtual ~TaskbarButton() = default;

    // The form that carries the button; null until the main form has been created.
    virtual void setMainForm(QWidget* form) = 0;

    // Shows or hides the button, whether or not the main form is visible.
    virtual void show() = 0;
    virtual void hide() = 0;

    // The button asks for the user's attention until told to stop.
    virtual void askForAttention() = 0;
    virtual void stopAskingForAttention() = 0;
    virtual bool asksForAttention() const = 0;

    // Brings a window of the program to the front.
    virtual void bringToFront(QWidget& window) = 0;
    // Makes the program the one the user works with, as before it opens a menu of its own.
    virtual void bringApplicationToFront() = 0;
};

// The implementation for this platform.
std::unique_ptr<TaskbarButton> createTaskbarButton();

} // namespace orvandel::desktop
