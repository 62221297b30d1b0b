#include "app/ProfileFileChooser.h"
#include "ui/UiText.h"

#include <QApplication>
#include <QFileDialog>
#include <QScreen>
#include <QTimer>
#include <QWidget>

#include <gtest/gtest.h>

namespace lumeno {
namespace {

// Opens the chooser over a parent at the given place and reports the
// geometry it showed with; the chooser is cancelled once seen.
QRect ChooserGeometry(QPoint parentAt, bool exportChooser)
{
    QWidget parent;
    parent.setGeometry(QRect(parentAt, QSize(1000, 650)));
    parent.show();
    QRect seen;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            dialog && dialog->isVisible()) {
            seen = dialog->frameGeometry();
            dialog->reject();
        }
    });
    poll.start(10);
    UiText text;
    QtProfileFileChooser chooser(text);
    const std::filesystem::path start = std::filesystem::temp_directory_path() / "Profile 1.bin";
    const auto chosen = exportChooser ? chooser.ChooseExport(&parent, start) : chooser.ChooseImport(&parent, start);
    EXPECT_FALSE(chosen);
    return seen;
}

TEST(ProfileFileChooser, OpensWholeOnTheScreenWhereverItsParentIs)
{
    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    for (const QPoint parentAt :
         {area.topLeft(), QPoint(area.right() - 200, area.bottom() - 100), QPoint(-500, -300)}) {
        for (bool exportChooser : {false, true}) {
            const QRect seen = ChooserGeometry(parentAt, exportChooser);
            ASSERT_FALSE(seen.isEmpty());
            EXPECT_TRUE(area.contains(seen))
                << "parent at " << parentAt.x() << "," << parentAt.y() << ": chooser " << seen.x() << "," << seen.y()
                << " " << seen.width() << "x" << seen.height() << " on a screen of " << area.width() << "x"
                << area.height();
        }
    }
}

} // namespace
} // namespace lumeno
