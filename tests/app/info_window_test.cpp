#include "app/info_window.h"
#include "support/qt_print.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QRegularExpression>

#include <atomic>
#include <cerrno>
#include <cstring>
#include <thread>

namespace plazor {
namespace {

// The log without its time stamps: "HH:mm:ss " is cut from the start of every line.
QString withoutTimes(const QString& text) {
    QString plain = text;
    plain.replace(QRegularExpression(QStringLiteral("(^|\\n)\\d\\d:\\d\\d:\\d\\d ")), QStringLiteral("\\1"));
    return plain;
}

TEST(InfoWindow, FirstLineShowsTheHiddenWindowWithATimeStamp) {
    QWidget owner;
    InfoWindow info(&owner);
    EXPECT_TRUE(info.isHidden());
    EXPECT_EQ(info.windowTitle(), QStringLiteral("信息 - F2"));

    info.appendLine(QStringLiteral("背景图片 '/tmp/a.png' 已不存在"), true);

    EXPECT_FALSE(info.isHidden());
    EXPECT_TRUE(
        QRegularExpression(QStringLiteral("^\\d\\d:\\d\\d:\\d\\d 背景图片 '/tmp/a.png' 已不存在\\n\\n$"))
            .match(info.text())
            .hasMatch())
        << info.text().toStdString();
}

// A heading with the library's reason on its own line is one entry: one time stamp, the empty line after
// it, and a plain entry after that.
TEST(InfoWindow, ATwoLineEntryHasOneTimeStampAndAnEmptyLineAfterIt) {
    QWidget owner;
    InfoWindow info(&owner);
    info.appendLine(QStringLiteral("写入文件 '/o/a.jpg' 时发生错误:\nNo space left on device"), true);
    info.appendLine(QStringLiteral("无效水印图片:/m.png"));
    EXPECT_EQ(
        withoutTimes(info.text()),
        QStringLiteral("写入文件 '/o/a.jpg' 时发生错误:\nNo space left on device\n\n无效水印图片:/m.png\n"));
    EXPECT_EQ(info.text().count(QRegularExpression(QStringLiteral("\\d\\d:\\d\\d:\\d\\d "))), 2);
}

TEST(InfoWindow, ClosingEmptiesAndHidesAndTheNextLineShowsOnlyItself) {
    QWidget owner;
    InfoWindow info(&owner);
    info.appendLine(QStringLiteral("one"));
    info.appendLine(QStringLiteral("two"));

    EXPECT_TRUE(info.close());
    EXPECT_TRUE(info.isHidden());
    EXPECT_TRUE(info.text().isEmpty());

    info.appendLine(QStringLiteral("three"));
    EXPECT_TRUE(info.isVisible());
    EXPECT_EQ(withoutTimes(info.text()), QStringLiteral("three\n"));
}

TEST(InfoWindow, ReachingTheCapacityDropsTheOlderHalf) {
    constexpr int kCapacity = 100;
    QWidget owner;
    InfoWindow info(&owner, kCapacity);
    QString expected;  // the log as the rule says it must be
    for (int i = 0; i < 40; ++i) {
        const QString text = QStringLiteral("line %1").arg(i);
        const QString line = QStringLiteral("00:00:00 ") + text;
        if (expected.size() + line.size() >= kCapacity) expected = expected.mid(expected.size() / 2);
        expected += line + QLatin1Char('\n');
        info.appendLine(text);
        ASSERT_EQ(info.text().size(), expected.size()) << "after " << i;
    }
    EXPECT_LT(info.text().size(), kCapacity);
    EXPECT_TRUE(info.text().endsWith(QStringLiteral(" line 39\n")));
    EXPECT_EQ(withoutTimes(info.text()).right(20), withoutTimes(expected).right(20));
    EXPECT_FALSE(info.text().contains(QStringLiteral("line 30\n")));
}

TEST(InfoWindow, SystemErrorAddsTheSystemsExplanation) {
    QWidget owner;
    InfoWindow info(&owner);
    info.appendLineWithSystemError(QStringLiteral("保存模版文件 '/r/a.dat' 时发生错误:"), EACCES);
    info.appendLineWithSystemError(QStringLiteral("no error"), 0);
    const QStringList lines = withoutTimes(info.text()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 3);
    EXPECT_EQ(lines[0], QStringLiteral("保存模版文件 '/r/a.dat' 时发生错误:"));
    EXPECT_EQ(lines[1], QString::fromLocal8Bit(std::strerror(EACCES)));
    EXPECT_EQ(lines[2], QStringLiteral("no error"));
}

TEST(InfoWindow, WorkerThreadLinesArriveThroughTheWindowThread) {
    QWidget owner;
    InfoWindow info(&owner);
    std::atomic<bool> done = false;
    std::thread worker([&] {
        info.appendLine(QStringLiteral("无效图片:/src/1.jpg"));
        done = true;
    });
    // The worker waits until this thread has handled its line.
    while (!done)
        QApplication::processEvents(QEventLoop::AllEvents, 10);
    worker.join();
    EXPECT_EQ(withoutTimes(info.text()), QStringLiteral("无效图片:/src/1.jpg\n"));
    EXPECT_TRUE(info.isVisible());
}

}  // namespace
}  // namespace plazor
