// How the console's own controls speak to assistive technology (a screen reader through
// AT-SPI). Qt asks a factory for the accessible interface of each object; ours answers for the
// owner-drawn buttons and the compass: the label as shown, what the colours show in words, the
// armed mode buttons as checked, and the compass's bearing as its value. The widgets announce
// each change of these through Announce, and only a change.
#pragma once

class QAccessibleEvent;

// Installs the factory, once per process; every console control calls it when it is built.
void EnsureConsoleAccessibility();

// Hands the event to Qt's accessibility update, which passes it on while an assistive
// technology listens. The announcing widget also emits it as its `announced` signal: on a
// platform without an accessibility bridge (offscreen) Qt drops every event before an update
// handler could see it.
void Announce(QAccessibleEvent& event);
