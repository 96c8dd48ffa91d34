// TDesignBackForm: the background design windows' one layout and behaviour, with the ways the
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

// The member table.
extern const BackgroundMember kProgramBackground;
extern const BackgroundMember kIntroductionBackground;
extern const BackgroundMember kHyperTextBackground;
extern const BackgroundMember kMenuBackground;
extern const BackgroundMember kChapterBackground;
