#include "system/ExecutableLocation.h"

#include <QCoreApplication>
#include <QFileInfo>

#include <gtest/gtest.h>

TEST(ExecutableLocation, IsTheFolderOfTheRunningProgramWithASeparator) {
    const QString folder = orvandel::system::executableFolder();
    ASSERT_TRUE(folder.endsWith(u'/'));
    const QString program = QFileInfo(QCoreApplication::applicationFilePath()).canonicalFilePath();
    EXPECT_EQ(folder + QFileInfo(program).fileName(), program);
}

TEST(ExecutableLocation, IsTheFullPathOfTheRunningProgram) {
    EXPECT_EQ(orvandel::system::executablePath(),
              QFileInfo(QCoreApplication::applicationFilePath()).canonicalFilePath());
}
