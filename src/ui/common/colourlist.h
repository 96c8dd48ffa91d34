// The colour list of the chapter editor and the HyperText text window: swatches without text,
// the automatic text colour first.
#pragma once

#include <QColor>
#include <QComboBox>
#include <QList>

struct NamedTextColour
{
    const char* name;
    QColor colour; // invalid for the automatic colour
};

const QList<NamedTextColour>& TextColours();

class ColourCombo : public QComboBox
{
    Q_OBJECT

public:
    explicit ColourCombo(QWidget* parent = nullptr);
    // The entry of the colour (an invalid colour is the automatic one), or -1.
    int indexOfColour(const QColor& colour) const;
    QColor colourAt(int index) const;

protected:
    void paintEvent(QPaintEvent* event) override;
};
