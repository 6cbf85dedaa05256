// The options dialog TOptionFm: the tabs "General", "Layout" and "File" over OptionsController,
// with a font chooser limited to sizes 8 to 12 and a folder picker for the data folder.
// The dialog only shows the controller's state and forwards the user's actions to it.
#pragma once

#include "storage/OptionsController.h"

#include <QDialog>

#include <functional>
#include <optional>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTabWidget;
class QToolButton;

class TOptionFm : public QDialog
{
    Q_OBJECT

public:
    using AreaFont = OptionsController::AreaFont;
    // Asks for a font starting from initial; nothing when the user cancelled.
    using FontChooser = std::function<std::optional<AreaFont>(const AreaFont& initial, QWidget*)>;
    // Asks for a folder starting from initial; an empty text when the user cancelled.
    using FolderChooser = std::function<QString(const QString& initial, QWidget*)>;

    static constexpr int MinFontSize = 8;
    static constexpr int MaxFontSize = 12;

    // controller must outlive the window.
    explicit TOptionFm(OptionsController& controller, QWidget* parent = nullptr);

    // The font chooser of sizes 8 to 12 that the "&Font..." button opens.
    static std::optional<AreaFont> ChooseFont(const AreaFont& initial, QWidget* parent);
    // Replace the choosers, e.g. with scripted ones in tests.
    void SetFontChooser(FontChooser chooser) { m_fontChooser = std::move(chooser); }
    void SetFolderChooser(FolderChooser chooser) { m_folderChooser = std::move(chooser); }

    void accept() override;
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void BuildGeneralTab(QTabWidget* tabs);
    void BuildLayoutTab(QTabWidget* tabs);
    void BuildFileTab(QTabWidget* tabs);
    // Shows the controller's values in the controls.
    void ShowState();
    void ShowSample();
    void FontClick();
    void FolderClick();

    OptionsController& m_controller;
    FontChooser m_fontChooser;
    FolderChooser m_folderChooser;

    QCheckBox* m_confirmDeletion = nullptr;
    QCheckBox* m_checkOrgSameName = nullptr;
    QComboBox* m_emailer = nullptr;
    QPushButton* m_fontButton = nullptr;
    QLineEdit* m_sample = nullptr;
    QButtonGroup* m_areas = nullptr;
    QCheckBox* m_keepSizes = nullptr;
    QCheckBox* m_saveWithPassword = nullptr;
    QPushButton* m_setPassword = nullptr;
    QLineEdit* m_dataFolder = nullptr;
    QToolButton* m_folderButton = nullptr;
    QPushButton* m_ok = nullptr;
    QPushButton* m_cancel = nullptr;
};
