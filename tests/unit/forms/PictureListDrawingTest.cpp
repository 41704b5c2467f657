#include "MainWindowFixture.h"

#include <QCoreApplication>
#include <QListWidget>

#include <gtest/gtest.h>

namespace {

bool isBlue(QRgb pixel) {
    return qBlue(pixel) > 180 && qRed(pixel) < 120 && qGreen(pixel) < 120;
}
bool isMaroon(QRgb pixel) {
    return qRed(pixel) > 60 && qGreen(pixel) < 60 && qBlue(pixel) < 60;
}

// How many pixels of the row's text area satisfy `test`.
template <typename Test> int countInText(const QImage& image, const QRect& row, Test test) {
    int count = 0;
    for (int y = row.top(); y <= row.bottom(); ++y)
        for (int x = row.left() + 30; x < row.right(); ++x)
            count += test(image.pixel(x, y)) ? 1 : 0;
    return count;
}

} // namespace

TEST(Lst_ImagesDrawItem, AlternatesRowsAndMarksTheSelectedOne) {
    MainWindowFixture fixture;
    fixture.addPictures("Nature", 6);
    fixture.start();
    auto* list = fixture.child<QListWidget>("Lst_Images");
    list->setCurrentRow(3);
    fixture.window->show();
    QCoreApplication::processEvents();
    const QImage image = list->viewport()->grab().toImage();
    for (int row = 0; row < 6; ++row) {
        const QRect rect = list->visualItemRect(list->item(row));
        SCOPED_TRACE(row);
        EXPECT_EQ(rect.height(), 16);
        const QColor background = image.pixelColor(rect.right() - 2, rect.top() + 1);
        if (row == 3) {
            EXPECT_EQ(background, QColor(197, 209, 248));
            EXPECT_GT(countInText(image, rect, isBlue), 20);
            EXPECT_EQ(countInText(image, rect, isMaroon), 0);
        } else {
            EXPECT_EQ(background, row % 2 == 1 ? QColor(238, 243, 244) : QColor(Qt::white));
            EXPECT_GT(countInText(image, rect, isMaroon), 20);
            EXPECT_EQ(countInText(image, rect, isBlue), 0);
        }
        // The row icon sits at left + 4, the same on every row (its opaque middle compared).
        const QRect first = list->visualItemRect(list->item(0));
        EXPECT_EQ(image.copy(rect.left() + 7, rect.top() + 4, 10, 8),
                  image.copy(first.left() + 7, first.top() + 4, 10, 8));
    }
}
