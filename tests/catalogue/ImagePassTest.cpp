#include "../platform/HeldHttpServer.h"

#include "catalogue/ImagePass.h"

#include <QTest>

#include <gtest/gtest.h>

namespace {
constexpr int kBoundMs = 10000;

struct Handed {
    int index;
    bool ok;
    QByteArray bytes;
};

class ImagePassOrder : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(server.isListening());
        QObject::connect(&pass, &ImagePass::imageReady,
                         [this](int index, const QString& address, bool ok, const QByteArray& bytes) {
                             EXPECT_EQ(address, addresses.value(index));
                             handed.push_back({index, ok, bytes});
                         });
        QObject::connect(&pass, &ImagePass::finished, [this]() {
            ++finished;
            finishedAfter = int(handed.size());
        });
        for (int i = 0; i < 10; ++i)
            addresses << server.url(path(i));
    }
    static QByteArray path(int i) { return "/img/" + QByteArray::number(i) + ".png"; }

    HeldHttpServer server;
    ImagePass pass;
    QStringList addresses;
    std::vector<Handed> handed;
    int finished = 0;
    int finishedAfter = -1;
};
} // namespace

TEST_F(ImagePassOrder, ResultsArriveOutOfOrderButAreHandedOnInDocumentOrder)
{
    pass.setParallel(3);
    pass.start(addresses);
    EXPECT_TRUE(pass.isRunning());
    QTRY_COMPARE_WITH_TIMEOUT(server.pendingCount(), 3, kBoundMs);
    EXPECT_TRUE(server.isPending(path(0)) && server.isPending(path(1)) && server.isPending(path(2)));

    // Answer 2 and 1 first: nothing may be handed on before image 0.
    server.answer(path(2), 200, "two");
    server.answer(path(1), 404, "");
    server.answer(path(0), 200, "zero");
    QTRY_COMPARE_WITH_TIMEOUT(int(handed.size()), 3, kBoundMs);
    EXPECT_EQ(handed[0].index, 0);
    EXPECT_EQ(handed[0].bytes, "zero");
    EXPECT_EQ(handed[1].index, 1);
    EXPECT_FALSE(handed[1].ok);
    EXPECT_EQ(handed[2].index, 2);
    EXPECT_EQ(handed[2].bytes, "two");

    // Drain the rest, newest first within each window.
    for (int next = 3; next < 10;) {
        QTRY_VERIFY_WITH_TIMEOUT(server.pendingCount() == std::min(3, 10 - next), kBoundMs);
        const int last = std::min(next + 3, 10) - 1;
        for (int i = last; i >= next; --i)
            ASSERT_TRUE(server.answer(path(i), 200, "b" + QByteArray::number(i)));
        next = last + 1;
        QTRY_COMPARE_WITH_TIMEOUT(int(handed.size()), next, kBoundMs);
    }
    QTRY_COMPARE_WITH_TIMEOUT(finished, 1, kBoundMs);
    EXPECT_EQ(finishedAfter, 10);
    EXPECT_FALSE(pass.isRunning());
    for (int i = 0; i < 10; ++i)
        EXPECT_EQ(handed[size_t(i)].index, i);
    EXPECT_EQ(handed[9].bytes, "b9");
    EXPECT_LE(server.maxPending, 3);
}

TEST_F(ImagePassOrder, OneAtATimeNeverOverlaps)
{
    pass.setParallel(1);
    pass.start(addresses.mid(0, 4));
    for (int i = 0; i < 4; ++i) {
        QTRY_VERIFY_WITH_TIMEOUT(server.isPending(path(i)), kBoundMs);
        EXPECT_EQ(server.pendingCount(), 1);
        server.answer(path(i), 200, QByteArray::number(i));
        QTRY_COMPARE_WITH_TIMEOUT(int(handed.size()), i + 1, kBoundMs);
    }
    QTRY_COMPARE_WITH_TIMEOUT(finished, 1, kBoundMs);
    EXPECT_EQ(server.maxPending, 1);
}

TEST_F(ImagePassOrder, CancelStopsHandingOnAndARestartWorks)
{
    pass.setParallel(6);
    pass.start(addresses);
    QTRY_COMPARE_WITH_TIMEOUT(server.pendingCount(), 6, kBoundMs);
    server.answer(path(0), 200, "zero");
    QTRY_COMPARE_WITH_TIMEOUT(int(handed.size()), 1, kBoundMs);
    pass.cancel();
    EXPECT_FALSE(pass.isRunning());
    // The cancelled fetches go away; answers that still get through are not handed on.
    QTRY_VERIFY_WITH_TIMEOUT(server.disconnects >= 5, kBoundMs);
    for (int i = 1; i < 6; ++i)
        server.answer(path(i), 200, "late");

    // A new pass over other addresses reuses the transfers and reports only its own images.
    const QStringList second{server.url("/n/a.png"), server.url("/n/b.png")};
    addresses = second;
    pass.start(second);
    QTRY_COMPARE_WITH_TIMEOUT(server.pendingCount(), 2, kBoundMs);
    server.answer("/n/b.png", 200, "B");
    server.answer("/n/a.png", 200, "A");
    QTRY_COMPARE_WITH_TIMEOUT(finished, 1, kBoundMs);
    ASSERT_EQ(handed.size(), 3u);
    EXPECT_EQ(handed[1].bytes, "A");
    EXPECT_EQ(handed[2].bytes, "B");

    // An empty page finishes at once.
    pass.start({});
    EXPECT_EQ(finished, 2);
    EXPECT_FALSE(pass.isRunning());
}
