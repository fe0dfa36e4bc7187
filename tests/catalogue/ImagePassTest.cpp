#include "../platform/HeldHttpServer.h"

#include "catalogue/ImagePass.h"

#include <QTest>

#include <gtest/gtest.h>

TEST(ImagePass, FetchesSeveralAtOnceButHandsOnInDocumentOrderAndOneAtATimeNeverOverlaps)
{
    constexpr int kBoundMs = 10000;
    HeldHttpServer server;
    ImagePass pass;
    QStringList addresses, handed;  // handed: "index:bytes" in the order handed on
    int finishedAfter = -1;        // handed.size() at finished()
    QObject::connect(&pass, &ImagePass::imageReady,
                     [&](int index, const QString& address, bool ok, const QByteArray& bytes) {
                         EXPECT_EQ(address, addresses.value(index));
                         handed << QString::number(index) + ":" + (ok ? QString(bytes) : "failed");
                     });
    QObject::connect(&pass, &ImagePass::finished, [&] { finishedAfter = int(handed.size()); });
    for (int i = 0; i < 5; ++i)
        addresses << server.url("/" + QString::number(i));

    pass.setParallel(3);
    pass.start(addresses);
    QTRY_COMPARE_WITH_TIMEOUT(server.pendingCount(), 3, kBoundMs);
    EXPECT_TRUE(server.isPending("/0") && server.isPending("/1") && server.isPending("/2"));
    server.answer("/2", 200, "two");  // image 0 comes last: nothing may be handed on before it
    server.answer("/1", 404, "");
    server.answer("/0", 200, "zero");
    QTRY_VERIFY_WITH_TIMEOUT(server.isPending("/3") && server.isPending("/4"), kBoundMs);
    server.answer("/4", 200, "four");
    server.answer("/3", 200, "three");
    QTRY_COMPARE_WITH_TIMEOUT(finishedAfter, 5, kBoundMs);
    EXPECT_EQ(handed.join(' '), "0:zero 1:failed 2:two 3:three 4:four");
    EXPECT_FALSE(pass.isRunning());
    EXPECT_EQ(server.maxPending, 3);

    handed.clear();
    finishedAfter = -1;
    pass.setParallel(1);
    pass.start(addresses);
    for (int i = 0; i < 5; ++i) {
        const QByteArray path = "/" + QByteArray::number(i);
        QTRY_VERIFY_WITH_TIMEOUT(server.isPending(path), kBoundMs);
        EXPECT_EQ(server.pendingCount(), 1);
        server.answer(path, 200, "b");
    }
    QTRY_COMPARE_WITH_TIMEOUT(finishedAfter, 5, kBoundMs);
    EXPECT_EQ(handed.join(' '), "0:b 1:b 2:b 3:b 4:b");
}
