// The operator's message boxes as real boxes: a question shows Yes and No only, and Escape or its
// close control dismiss it.
#include "qt/windows/message_box_dialogs.h"
#include "shell_program.h"

#include <QMessageBox>
#include <QPushButton>
#include <QtTest/QTest>

#include <gtest/gtest.h>

namespace fenlark::test {
namespace {

TEST(MessageBoxQuestion, YesNoOrDismissedByEscapeAndTheCloseControl)
{
    const std::pair<std::function<void(QMessageBox &)>, Answer> cases[] = {
        {[](QMessageBox &box) { box.button(QMessageBox::Yes)->click(); }, Answer::Yes},
        {[](QMessageBox &box) { box.button(QMessageBox::No)->click(); }, Answer::No},
        {[](QMessageBox &box) { QTest::keyClick(&box, Qt::Key_Escape); }, Answer::Dismissed},
        {[](QMessageBox &box) { box.close(); }, Answer::Dismissed},
    };
    qt::MessageBoxDialogs dialogs;
    int n = 0;
    for (const auto &[act, expected] : cases) {
        QStringList shown;
        onModalBox([&, act = act](QWidget &widget) {
            auto &box = dynamic_cast<QMessageBox &>(widget);
            for (QAbstractButton *button : box.buttons())
                if (button->isVisible())
                    shown << button->text();
            act(box);
        });
        EXPECT_EQ(dialogs.question("Save messages first?"), expected) << "case " << n++;
        shown.sort();
        EXPECT_EQ(shown.join(QLatin1Char(' ')), QStringLiteral("&No &Yes"));
    }
}

} // namespace
} // namespace fenlark::test
