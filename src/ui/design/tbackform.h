// TTBackForm (module PtstbkF): the program background shown as the reader will see it.
#pragma once

#include "core/project/records.h"

#include <QDialog>

// Shows a background over the whole screen, as the program background would look; a press, Enter
// or Escape closes it.
class TTBackForm : public QDialog
{
    Q_OBJECT

public:
    TTBackForm(const ConfigRecord& config, QWidget* parent = nullptr);
    // False when the ".JPG" wallpaper message was shown: the window is then not shown at all.
    bool backgroundShown() const { return m_shown; }

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    bool m_shown = true;
};

// Opens TTBackForm for the record, unless its wallpaper is refused.
void ViewProgramBackground(const ConfigRecord& config, QWidget* parent);
