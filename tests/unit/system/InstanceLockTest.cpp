#include "system/InstanceLock.h"

#include "TestFolder.h"

#include <QFile>

#include <gtest/gtest.h>

using namespace orvandel::system;

TEST(InstanceLock, OneHolderAtATimeAndTheLockFileOfAnEndedOneIsTakenOver) {
    TestFolder folder;
    const QString path = folder.filePath("orvandel.lock");
    {
        const auto first = lockRunningInstance(path);
        ASSERT_TRUE(first);
        EXPECT_FALSE(lockRunningInstance(path));
    }
    // The file stays behind, as after a crash; nobody holds it any more.
    ASSERT_TRUE(QFile::exists(path));
    EXPECT_TRUE(lockRunningInstance(path));
}
