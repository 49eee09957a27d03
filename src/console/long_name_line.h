// A long-name line of the console face: a one-line static text that wraps, so a name longer
// than the line shows the whole words that fit (a word longer than the line breaks between
// glyphs), never part of a glyph. The text is the server's as sent: "&" is part of a station's
// name, not a mnemonic. text() stays the whole name.
#pragma once

#include <QLabel>

class LongNameLine : public QLabel {
public:
    using QLabel::QLabel;

protected:
    void paintEvent(QPaintEvent* event) override;
};
