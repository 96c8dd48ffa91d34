// TIntroDesignForm (module PIntScrF): the introduction screen: its bars, its text window and
// background, and its menu bar with the captions it shows.
#pragma once

#include "core/project/records.h"

#include <QByteArray>
#include <QDialog>

class QCheckBox;
class QPushButton;

class TIntroDesignForm : public QDialog
{
    Q_OBJECT

public:
    // Works on a copy of `presentation`; "&OK" hands it back. `rtf` is the introduction's text,
    // shown while the text window is placed.
    TIntroDesignForm(PresentationRecord& presentation, const ConfigRecord& config,
                     const QByteArray& rtf, QWidget* parent = nullptr);

    QCheckBox* TitleBarChkBx;
    QPushButton* TitleBarBtn;
    QCheckBox* StatusBarChkBx;
    QPushButton* StatusBarBtn;
    QCheckBox* VPChkBx; // " Use Text Window": FullScreen 0
    QPushButton* VPBtn;
    QCheckBox* UseMenuChkBx;
    QPushButton* Button1; // "Define Text"
    QPushButton* OKBtn;
    QPushButton* CancelBtn;

protected:
    void done(int result) override;

private:
    void build();
    void connectControls();
    void storeStates();
    void openHidden(const std::function<void()>& window);

    PresentationRecord& m_presentationOut;
    PresentationRecord m_presentation;
    ConfigRecord m_config;
    QByteArray m_rtf;
};

bool DesignIntroductionScreen(PresentationRecord& presentation, const ConfigRecord& config,
                              const QByteArray& rtf, QWidget* parent);
