#pragma once
// The modal information message box of the components, behind one replaceable function so that
// tests can observe the message instead of a dialog blocking them.

#include <QString>

#include <functional>

namespace tessaly {

using TInformationHandler = std::function<void(const QString& text)>;

// Shows text in a modal information box (or hands it to the installed handler).
void ShowInformation(const QString& text);

// Installs a handler instead of the dialog; an empty handler restores the dialog. Returns the
// handler that was installed before.
TInformationHandler SetInformationHandler(TInformationHandler handler);

} // namespace tessaly
