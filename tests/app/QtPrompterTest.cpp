// The real dialogs behind the Prompter, answered by a timer that finds the modal window and
// clicks its button: message boxes of every button set, the password window, the input
// box, the file dialogs, the hourglass nesting and the progress window.
#include "app/QtPrompter.h"
#include "app/PasswordDlg.h"
#include "app/ProgressDlg.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

namespace {

// Runs answer on the modal window of type T as soon as it is shown. A window that never
// shows fails the test and the open modal window is rejected, so the test cannot hang.
template <typename T> void WhenShown(std::function<void(T*)> answer, int triesLeft = 200)
{
    QTimer::singleShot(10, [answer = std::move(answer), triesLeft] {
        if (auto* window = qobject_cast<T*>(QApplication::activeModalWidget());
            window != nullptr && window->isVisible()) {
            answer(window);
            // A window that ignored its answer is closed, so that the test fails instead of
            // waiting forever.
            QTimer::singleShot(3000, [guard = QPointer<T>(window)] {
                if (guard != nullptr && guard->isVisible()) {
                    ADD_FAILURE() << "the modal window stayed open after its answer";
                    guard->reject();
                }
            });
        } else if (triesLeft > 0) {
            WhenShown<T>(answer, triesLeft - 1);
        } else {
            ADD_FAILURE() << "no modal window of the expected kind";
            if (auto* other = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
                other->reject();
            }
        }
    });
}

// Types the name into the dialog's file name line, as a user would; selecting the file
// would wait for the dialog's folder listing, which arrives in the background.
void TypeFileName(QFileDialog* dialog, const QString& name)
{
    auto* edit = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    ASSERT_NE(edit, nullptr);
    edit->setText(name);
}

struct MessageCase
{
    const char* label;
    Prompter::Icon icon;
    Prompter::Buttons buttons;
    QMessageBox::StandardButtons expectedButtons;
    QMessageBox::Icon expectedIcon;
    // The button clicked; NoButton presses Escape instead.
    QMessageBox::StandardButton click;
    Prompter::Answer answer;
};

TEST(QtPrompterTest, MessageShowsTheButtonSetAndReturnsTheClickedAnswer)
{
    using B = QMessageBox;
    using P = Prompter;
    const MessageCase cases[] = {
        {"plain ok", P::Icon::None, P::Buttons::Ok, B::Ok, B::NoIcon, B::Ok, P::Answer::Ok},
        {"yes", P::Icon::Confirmation, P::Buttons::YesNo, B::Yes | B::No, B::Question, B::Yes,
         P::Answer::Yes},
        {"no", P::Icon::Confirmation, P::Buttons::YesNo, B::Yes | B::No, B::Question, B::No,
         P::Answer::No},
        {"escape on yes/no", P::Icon::Warning, P::Buttons::YesNo, B::Yes | B::No, B::Warning,
         B::NoButton, P::Answer::No},
        {"save: yes", P::Icon::Warning, P::Buttons::YesNoCancel, B::Yes | B::No | B::Cancel,
         B::Warning, B::Yes, P::Answer::Yes},
        {"save: no", P::Icon::Warning, P::Buttons::YesNoCancel, B::Yes | B::No | B::Cancel,
         B::Warning, B::No, P::Answer::No},
        {"save: cancel", P::Icon::Warning, P::Buttons::YesNoCancel, B::Yes | B::No | B::Cancel,
         B::Warning, B::Cancel, P::Answer::Cancel},
        {"escape cancels", P::Icon::Information, P::Buttons::YesNoCancel,
         B::Yes | B::No | B::Cancel, B::Information, B::NoButton, P::Answer::Cancel},
        {"ok of ok/abort", P::Icon::Error, P::Buttons::OkAbort, B::Ok | B::Abort, B::Critical,
         B::Ok, P::Answer::Ok},
        {"abort", P::Icon::Error, P::Buttons::OkAbort, B::Ok | B::Abort, B::Critical, B::Abort,
         P::Answer::Abort},
    };
    QtPrompter prompter;
    for (const MessageCase& c : cases) {
        SCOPED_TRACE(c.label);
        QString title;
        QString text;
        QMessageBox::StandardButtons buttons;
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        WhenShown<QMessageBox>([&, c](QMessageBox* box) {
            title = box->windowTitle();
            text = box->text();
            buttons = box->standardButtons();
            icon = box->icon();
            if (c.click == QMessageBox::NoButton) {
                QTest::keyClick(box, Qt::Key_Escape);
            } else {
                box->button(c.click)->click();
            }
        });
        const Prompter::Answer answer = prompter.Message(
            QStringLiteral("Are you going to save Default before close?"), c.icon, c.buttons);
        EXPECT_EQ(answer, c.answer);
        EXPECT_EQ(title, QStringLiteral("Quillvane"));
        EXPECT_EQ(text, QStringLiteral("Are you going to save Default before close?"));
        EXPECT_EQ(buttons, c.expectedButtons);
        EXPECT_EQ(icon, c.expectedIcon);
    }
}

TEST(QtPrompterTest, PasswordWindowIsEmptiedAndFocusedEachTime)
{
    QtPrompter prompter;
    QString title;
    QString label;
    QString defaultButton;
    WhenShown<TPasswordDlg>([&](TPasswordDlg* dlg) {
        title = dlg->windowTitle();
        label = dlg->findChild<QLabel*>(QStringLiteral("Label1"))->text();
        for (auto* button : dlg->findChildren<QPushButton*>()) {
            if (button->isDefault()) {
                defaultButton = button->text();
            }
        }
        auto* edit = dlg->findChild<QLineEdit*>(QStringLiteral("Password"));
        EXPECT_EQ(edit->echoMode(), QLineEdit::Password);
        QTest::keyClicks(edit, QStringLiteral("s3cret"));
        QTest::keyClick(edit, Qt::Key_Return);
    });
    EXPECT_EQ(prompter.Password(QStringLiteral("Password for Default")),
              std::optional<QString>(QStringLiteral("s3cret")));
    EXPECT_EQ(title, QStringLiteral("Password Dialog"));
    EXPECT_EQ(label, QStringLiteral("Password for Default"));
    EXPECT_EQ(defaultButton, QStringLiteral("&OK"));

    QString leftOver = QStringLiteral("<not shown>");
    bool focused = false;
    WhenShown<TPasswordDlg>([&](TPasswordDlg* dlg) {
        auto* edit = dlg->findChild<QLineEdit*>(QStringLiteral("Password"));
        leftOver = edit->text();
        focused = dlg->focusWidget() == edit;
        label = dlg->findChild<QLabel*>(QStringLiteral("Label1"))->text();
        QTest::keyClicks(edit, QStringLiteral("typed"));
        dlg->findChild<QPushButton*>(QStringLiteral("CancelBtn"))->click();
    });
    EXPECT_EQ(prompter.Password(QStringLiteral("Again")), std::nullopt);
    EXPECT_EQ(leftOver, QString());
    EXPECT_TRUE(focused);
    EXPECT_EQ(label, QStringLiteral("Again"));
}

TEST(QtPrompterTest, InputBoxReturnsTheTextOrNothingWhenCancelled)
{
    QtPrompter prompter;
    QString title;
    QString prompt;
    WhenShown<QInputDialog>([&](QInputDialog* dlg) {
        title = dlg->windowTitle();
        prompt = dlg->labelText();
        EXPECT_EQ(dlg->textValue(), QStringLiteral("Book"));
        dlg->setTextValue(QStringLiteral("Friends"));
        static_cast<QDialog*>(dlg)->accept();
    });
    EXPECT_EQ(prompter.Input(QStringLiteral("New"), QStringLiteral("Name of the book"),
                             QStringLiteral("Book")),
              std::optional<QString>(QStringLiteral("Friends")));
    EXPECT_EQ(title, QStringLiteral("New"));
    EXPECT_EQ(prompt, QStringLiteral("Name of the book"));

    WhenShown<QInputDialog>([](QInputDialog* dlg) { dlg->reject(); });
    EXPECT_EQ(prompter.Input(QStringLiteral("New"), QStringLiteral("Name"), {}), std::nullopt);
}

TEST(QtPrompterTest, FiltersBecomeTheFileDialogsOwnForm)
{
    struct Case
    {
        QString filter;
        QStringList qt;
    };
    const Case cases[] = {
        {QStringLiteral("QV Package (*.qvp)|*.qvp"), {QStringLiteral("QV Package (*.qvp)")}},
        {QStringLiteral("Text files|*.csv;*.txt|All files (*.*)|*.*"),
         {QStringLiteral("Text files (*.csv *.txt)"), QStringLiteral("All files (*)")}},
        {QString(), {}},
        // A description without its pattern part is left out.
        {QStringLiteral("vCard (*.vcf)|*.vcf|Dangling"), {QStringLiteral("vCard (*.vcf)")}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(QtPrompter::ToQtFilters(c.filter), c.qt) << c.filter.toStdString();
    }
}

TEST(QtPrompterTest, SaveDialogAddsTheDefaultSuffixAndAsksBeforeOverwriting)
{
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    QtPrompter prompter;
    Prompter::FileChoice choice;
    choice.caption = QStringLiteral("Save As");
    choice.filter = QStringLiteral("QV Package (*.qvp)|*.qvp");
    choice.defaultExtension = QStringLiteral("qvp");
    choice.initialFolder = folder.path();
    choice.confirmOverwrite = true;

    QStringList filters;
    QString title;
    WhenShown<QFileDialog>([&](QFileDialog* dlg) {
        filters = dlg->nameFilters();
        title = dlg->windowTitle();
        EXPECT_EQ(QDir(dlg->directory()).canonicalPath(), QDir(folder.path()).canonicalPath());
        TypeFileName(dlg, QStringLiteral("Friends"));
        static_cast<QDialog*>(dlg)->accept();
    });
    EXPECT_EQ(prompter.SaveFile(choice),
              std::optional<QString>(folder.filePath(QStringLiteral("Friends.qvp"))));
    EXPECT_EQ(filters, QStringList{QStringLiteral("QV Package (*.qvp)")});
    EXPECT_EQ(title, QStringLiteral("Save As"));

    // An existing file is replaced only after the question is answered.
    QFile existing(folder.filePath(QStringLiteral("Friends.qvp")));
    ASSERT_TRUE(existing.open(QIODevice::WriteOnly));
    existing.close();
    bool asked = false;
    WhenShown<QFileDialog>([&](QFileDialog* dlg) {
        WhenShown<QMessageBox>([&](QMessageBox* box) {
            asked = true;
            box->button(QMessageBox::Yes)->click();
        });
        TypeFileName(dlg, QStringLiteral("Friends.qvp"));
        static_cast<QDialog*>(dlg)->accept();
    });
    EXPECT_EQ(prompter.SaveFile(choice),
              std::optional<QString>(folder.filePath(QStringLiteral("Friends.qvp"))));
    EXPECT_TRUE(asked);

    WhenShown<QFileDialog>([](QFileDialog* dlg) { dlg->reject(); });
    EXPECT_EQ(prompter.SaveFile(choice), std::nullopt);
}

TEST(QtPrompterTest, OpenDialogReturnsTheChosenExistingFile)
{
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    QFile book(folder.filePath(QStringLiteral("Old.qvp")));
    ASSERT_TRUE(book.open(QIODevice::WriteOnly));
    book.close();
    QtPrompter prompter;
    Prompter::FileChoice choice;
    choice.caption = QStringLiteral("Load from");
    choice.filter = QStringLiteral("QV Package (*.qvp)|*.qvp");
    choice.initialFolder = folder.path();
    QFileDialog::FileMode mode = QFileDialog::AnyFile;
    WhenShown<QFileDialog>([&](QFileDialog* dlg) {
        mode = dlg->fileMode();
        TypeFileName(dlg, QStringLiteral("Old.qvp"));
        static_cast<QDialog*>(dlg)->accept();
    });
    EXPECT_EQ(prompter.OpenFile(choice), std::optional<QString>(book.fileName()));
    EXPECT_EQ(mode, QFileDialog::ExistingFile);
}

TEST(QtPrompterTest, WaitCursorNestsAndLeavesOtherCursorsAlone)
{
    QtPrompter prompter;
    ASSERT_EQ(QApplication::overrideCursor(), nullptr);
    {
        WaitCursor outer(prompter);
        {
            WaitCursor inner(prompter);
            EXPECT_EQ(prompter.WaitDepth(), 2);
        }
        ASSERT_NE(QApplication::overrideCursor(), nullptr);
        EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
    }
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);

    QApplication::setOverrideCursor(Qt::CrossCursor);
    prompter.EndWait();
    ASSERT_NE(QApplication::overrideCursor(), nullptr);
    EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::CrossCursor);
    QApplication::restoreOverrideCursor();
}

TEST(QtPrompterTest, ProgressWindowShowsCaptionRangeAndPosition)
{
    QtPrompter prompter;
    THProgressDialog& dlg = prompter.ProgressDlg();
    EXPECT_EQ(dlg.Minimum(), 0);
    EXPECT_EQ(dlg.Maximum(), 100);
    EXPECT_TRUE(dlg.windowFlags().testFlag(Qt::WindowStaysOnTopHint));

    prompter.BeginProgress(QStringLiteral("Printing"), 10, 50);
    EXPECT_TRUE(dlg.isVisible());
    EXPECT_EQ(dlg.windowTitle(), QStringLiteral("Printing"));
    EXPECT_EQ(dlg.Minimum(), 10);
    EXPECT_EQ(dlg.Maximum(), 50);
    prompter.SetProgress(30);
    EXPECT_EQ(dlg.Position(), 30);
    prompter.SetProgress(80);
    EXPECT_EQ(dlg.Position(), 50);
    prompter.EndProgress();
    EXPECT_FALSE(dlg.isVisible());

    // The next run starts again at its own minimum.
    prompter.BeginProgress(QStringLiteral("Importing"), 0, 5);
    EXPECT_EQ(dlg.Position(), 0);
    prompter.EndProgress();
}

} // namespace
