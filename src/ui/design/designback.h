// The background design windows: one layout and behaviour (TDesignBackForm) with the ways the
// five members differ as data (BackgroundMember). A member edits a copy of the four background
// fields and hands them back only on "&OK".
#pragma once

#include "core/project/records.h"

#include <QDialog>

class FileListBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

// The four fields of a background, as a DisplayRecord and a ConfigRecord both hold them.
struct BackgroundFields
{
    std::int32_t type = 1; // a BackgroundType code
    Colour colour = colours::Silver;
    QString graphic;
    QString wallpaper;

    static BackgroundFields of(const DisplayRecord& display);
    static BackgroundFields of(const ConfigRecord& config);
    void storeIn(DisplayRecord& display) const;
    void storeIn(ConfigRecord& config) const;
};

// How one member differs from the others.
struct BackgroundMember
{
    const char* className;
    int helpContext;
    int dialogHelpContext;       // of its file dialog
    bool viewButton;             // "View" (program background) instead of "&Adjust Window"
    bool radioFilters;           // the radio buttons set the dialog's filter
    const char* wallpaperFilter; // the filter " Wallpaper" sets
    bool jpgWallpaperCheck;      // " Wallpaper" empties a .JPG wallpaper name
    bool emptiesOtherNames;      // "&OK" empties the names of the kinds not chosen
    bool doubleClickInLists;
};

class TDesignBackForm : public QDialog
{
    Q_OBJECT

public:
    TDesignBackForm(const BackgroundMember& member, const BackgroundFields& fields,
                    QWidget* parent = nullptr);
    // The fields as the author left them ("&OK" has emptied the names its member empties).
    const BackgroundFields& fields() const { return m_fields; }

    QRadioButton* ColorRBtn;
    QRadioButton* GraphicRBtn;
    QRadioButton* WallpaperRBtn;
    QGroupBox* ColorGrpBx;
    QFrame* Panel1;
    QPushButton* Button3;
    QGroupBox* GraphicGrpBx;
    QLineEdit* GraphicEdit;
    FileListBox* FileListBox1;
    QPushButton* Button2;
    QGroupBox* WallpaperGrpBx;
    QLineEdit* WallPaperEdit;
    FileListBox* FileListBox2;
    QPushButton* Button1;
    QPushButton* OKBtn;
    QPushButton* CancelBtn;
    QPushButton* ViewBitBtn = nullptr; // the program background's member
    QPushButton* WindowBtn = nullptr;  // the others: "&Adjust Window"

    void ColorRBtnClick();
    void GraphicRBtnClick();
    void WallpaperRBtnClick();
    void FindGraphic();
    void FindWallpaper();
    void SelectColour();

protected:
    void done(int result) override;
    // "&Adjust Window": the member's adjust window on the current fields.
    virtual void adjustWindow() {}
    // "View": the program background's test window.
    virtual void view() {}
    BackgroundFields& current() { return m_fields; }

private:
    void buildGroups();
    void showGroupOf(int type);
    void showColour();
    QString findFile(const QString& current, const QString& fallbackFirst,
                     const QString& fallbackSecond);

    const BackgroundMember& m_member;
    BackgroundFields m_fields;
    QString m_filter; // of the Find File dialog, set by the radio buttons
};

// The members that edit a DisplayRecord: on "&OK" the fields go back into the record.
class TDisplayDesignBackForm : public TDesignBackForm
{
    Q_OBJECT

public:
    TDisplayDesignBackForm(const BackgroundMember& member, DisplayRecord& display, QWidget* parent);

protected:
    void done(int result) override;
    // The record as it stands in this window: the caller's gets it only on "&OK". The adjust
    // window works on it with the background chosen so far and saves its window fields into it.
    DisplayRecord& working();

private:
    DisplayRecord& m_display;
    DisplayRecord m_working;
};

// The member table.
extern const BackgroundMember kProgramBackground;
extern const BackgroundMember kIntroductionBackground;
extern const BackgroundMember kHyperTextBackground;
extern const BackgroundMember kMenuBackground;
extern const BackgroundMember kChapterBackground;

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
