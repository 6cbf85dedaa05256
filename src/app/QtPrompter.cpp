// The Prompter answered by real dialogs. Message boxes carry the product name as their
// title; the password and progress windows are created once and reused.
#include "app/QtPrompter.h"

#include "app/PasswordDlg.h"
#include "app/ProgressDlg.h"

#include <QApplication>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QRegularExpression>

namespace {

QMessageBox::Icon BoxIcon(Prompter::Icon icon)
{
    switch (icon) {
    case Prompter::Icon::Information:
        return QMessageBox::Information;
    case Prompter::Icon::Warning:
        return QMessageBox::Warning;
    case Prompter::Icon::Confirmation:
        return QMessageBox::Question;
    case Prompter::Icon::Error:
        return QMessageBox::Critical;
    case Prompter::Icon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::StandardButtons BoxButtons(Prompter::Buttons buttons)
{
    switch (buttons) {
    case Prompter::Buttons::YesNo:
        return QMessageBox::Yes | QMessageBox::No;
    case Prompter::Buttons::YesNoCancel:
        return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    case Prompter::Buttons::OkAbort:
        return QMessageBox::Ok | QMessageBox::Abort;
    case Prompter::Buttons::Ok:
        break;
    }
    return QMessageBox::Ok;
}

// The answer of a box closed without a button: the set's way of saying no.
Prompter::Answer EscapeAnswer(Prompter::Buttons buttons)
{
    switch (buttons) {
    case Prompter::Buttons::YesNo:
        return Prompter::Answer::No;
    case Prompter::Buttons::YesNoCancel:
        return Prompter::Answer::Cancel;
    case Prompter::Buttons::OkAbort:
        return Prompter::Answer::Abort;
    case Prompter::Buttons::Ok:
        break;
    }
    return Prompter::Answer::Ok;
}

} // namespace

QtPrompter::QtPrompter(QWidget* parent)
    : m_parent(parent), m_passwordDlg(std::make_unique<TPasswordDlg>(parent)),
      m_progressDlg(std::make_unique<THProgressDialog>(parent))
{}

QtPrompter::~QtPrompter() = default;

Prompter::Answer QtPrompter::Message(const QString& text, Icon icon, Buttons buttons)
{
    QMessageBox box(BoxIcon(icon), QStringLiteral("Quillvane"), text, BoxButtons(buttons),
                    m_parent);
    box.setDefaultButton(buttons == Buttons::YesNo || buttons == Buttons::YesNoCancel
                             ? QMessageBox::Yes
                             : QMessageBox::Ok);
    switch (box.exec()) {
    case QMessageBox::Ok:
        return Answer::Ok;
    case QMessageBox::Yes:
        return Answer::Yes;
    case QMessageBox::No:
        return Answer::No;
    case QMessageBox::Cancel:
        return Answer::Cancel;
    case QMessageBox::Abort:
        return Answer::Abort;
    default:
        return EscapeAnswer(buttons);
    }
}

std::optional<QString> QtPrompter::Input(const QString& caption, const QString& prompt,
                                         const QString& initial)
{
    QInputDialog dialog(m_parent);
    dialog.setObjectName(QStringLiteral("InputBox"));
    dialog.setInputMode(QInputDialog::TextInput);
    dialog.setWindowTitle(caption);
    dialog.setLabelText(prompt);
    dialog.setTextValue(initial);
    if (dialog.exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return dialog.textValue();
}

std::optional<QString> QtPrompter::Password(const QString& label)
{
    m_passwordDlg->SetLabel(label);
    if (m_passwordDlg->exec() != QDialog::Accepted) {
        return std::nullopt;
    }
    return m_passwordDlg->Password();
}

QStringList QtPrompter::ToQtFilters(const QString& filter)
{
    static const QRegularExpression trailingPatterns(QStringLiteral("\\s*\\([^()]*\\)\\s*$"));
    QStringList filters;
    const QStringList parts = filter.split(QLatin1Char('|'));
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString description = parts.at(i);
        description.remove(trailingPatterns);
        QStringList patterns = parts.at(i + 1).split(QLatin1Char(';'), Qt::SkipEmptyParts);
        for (QString& pattern : patterns) {
            pattern = pattern.trimmed();
            // "*.*" means every file, also those without an extension.
            if (pattern == QStringLiteral("*.*")) {
                pattern = QStringLiteral("*");
            }
        }
        filters << description + QStringLiteral(" (") + patterns.join(QLatin1Char(' ')) +
                       QLatin1Char(')');
    }
    return filters;
}

std::optional<QString> QtPrompter::ChooseFile(const FileChoice& choice, bool save)
{
    QFileDialog dialog(m_parent, choice.caption, choice.initialFolder);
    dialog.setObjectName(save ? QStringLiteral("SaveDialog") : QStringLiteral("OpenDialog"));
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    const QStringList filters = ToQtFilters(choice.filter);
    if (!filters.isEmpty()) {
        dialog.setNameFilters(filters);
    }
    dialog.setDefaultSuffix(choice.defaultExtension);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !choice.confirmOverwrite);
    if (!choice.fileName.isEmpty()) {
        dialog.selectFile(choice.fileName);
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return std::nullopt;
    }
    return dialog.selectedFiles().constFirst();
}

std::optional<QString> QtPrompter::OpenFile(const FileChoice& choice)
{
    return ChooseFile(choice, false);
}

std::optional<QString> QtPrompter::SaveFile(const FileChoice& choice)
{
    return ChooseFile(choice, true);
}

void QtPrompter::BeginWait()
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
    ++m_waitDepth;
}

void QtPrompter::EndWait()
{
    // An unmatched call must not take away a cursor that somebody else set.
    if (m_waitDepth == 0) {
        return;
    }
    --m_waitDepth;
    QApplication::restoreOverrideCursor();
}

void QtPrompter::BeginProgress(const QString& caption, int minimum, int maximum)
{
    m_progressDlg->SetCaption(caption);
    m_progressDlg->SetRange(minimum, maximum);
    m_progressDlg->show();
    m_progressDlg->raise();
}

void QtPrompter::SetProgress(int position)
{
    m_progressDlg->SetPosition(position);
}

void QtPrompter::EndProgress()
{
    m_progressDlg->hide();
}
