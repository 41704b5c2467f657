#include "TrayFixture.h"

#include <QTest>

using namespace orvandel;

namespace {

const QString OrderMessage = QStringLiteral(
    "Erreur dans PiconeBarreTache : Mauvaise entrée dans NumsImageListAffiche. Mettre les numéros "
    "des images de la liste (ImageList) que vous voulez voir défiler séparés par des virgules");

} // namespace

class TrayAnimationTest : public TrayTest {
protected:
    // Loads the component with `count` images and the resting image, and returns the numbers of
    // the icons shown by `ticks` animation ticks.
    QList<int> shownByTicks(int count, int resting, const QString& order, int ticks) {
        makeImages(count);
        tray->SetImageList(&images);
        tray->SetOrdreImageListAffiche(order);
        tray->SetNumIconeImageList(resting);
        tray->Loaded();
        QList<int> shown;
        for (int tick = 0; tick < ticks; ++tick) {
            tray->TimerAnimationPetiteIconeOnTimer();
            shown.append(pictureNumber(tray->Icone()));
        }
        return shown;
    }
};

struct OrderCase {
    QString order;
    int count;
    int resting;
    QList<int> shown;
};

class AnimationOrder : public TrayAnimationTest, public ::testing::WithParamInterface<OrderCase> {};

TEST_P(AnimationOrder, TicksFollowTheDisplayOrder) {
    const OrderCase& orderCase = GetParam();
    EXPECT_EQ(shownByTicks(orderCase.count, orderCase.resting, orderCase.order,
                           static_cast<int>(orderCase.shown.size())),
              orderCase.shown);
}

INSTANTIATE_TEST_SUITE_P(Orders, AnimationOrder,
                         ::testing::Values(OrderCase{"", 4, 1, {2, 3, 0, 1, 2}},
                                           OrderCase{"0", 4, 1, {0, 0, 0}},
                                           OrderCase{"5", 3, 0, {2, 2, 2}},
                                           OrderCase{"2,,5", 10, 0, {0, 5, 2, 0, 5, 2}},
                                           OrderCase{"4,0,9", 6, 0, {0, 5, 4, 0, 5, 4}},
                                           OrderCase{"1,99999999999", 4, 0, {0, 1, 0}}));

TEST_F(TrayAnimationTest, ANewOrderKeepsThePosition) {
    EXPECT_EQ(shownByTicks(10, 0, "1,2,3", 2), QList<int>({2, 3}));
    tray->SetOrdreImageListAffiche("7,8,9,6");
    tray->TimerAnimationPetiteIconeOnTimer();
    EXPECT_EQ(pictureNumber(tray->Icone()), 6);
    tray->SetOrdreImageListAffiche("4");
    tray->TimerAnimationPetiteIconeOnTimer();
    EXPECT_EQ(pictureNumber(tray->Icone()), 4);
}

TEST_F(TrayAnimationTest, OrderStringsAreCheckedCharacterByCharacter) {
    tray->SetOrdreImageListAffiche("0,1,2,1");
    for (const char* wrong : {"1, 2", "a", "-1", "3;4"}) {
        try {
            tray->SetOrdreImageListAffiche(wrong);
            ADD_FAILURE() << wrong;
        } catch (const ExceptionNumsImageLIstAffiche& error) {
            EXPECT_EQ(error.message(), OrderMessage);
        }
        EXPECT_EQ(tray->OrdreImageListAffiche(), "0,1,2,1");
    }
    // A lone comma is two items, both image 0.
    EXPECT_EQ(shownByTicks(3, 2, ",", 2), QList<int>({0, 0}));
}

TEST_F(TrayAnimationTest, WithoutAnOrderANegativeIndexClimbsToTheList) {
    makeImages(4);
    tray->SetImageList(&images);
    tray->SetIcone(QIcon(numberedPicture(600)));
    tray->SetNumIconeAfficheImageList(-3);
    QList<int> indices;
    for (int tick = 0; tick < 3; ++tick) {
        tray->TimerAnimationPetiteIconeOnTimer();
        indices.append(tray->NumIconeAfficheImageList());
    }
    EXPECT_EQ(indices, QList<int>({-2, -1, 0}));
    EXPECT_EQ(pictureNumber(tray->Icone()), 0);
}

TEST_F(TrayAnimationTest, BeyondImage255TheIconWaitsForTheIndexToComeRound) {
    EXPECT_EQ(shownByTicks(258, 254, "", 4), QList<int>({255, 255, 255, 0}));
    EXPECT_EQ(tray->NumIconeAfficheImageList(), 0);
}

TEST_F(TrayAnimationTest, TicksWithoutImagesDoNothing) {
    tray->SetNumIconeAfficheImageList(2);
    tray->TimerAnimationPetiteIconeOnTimer();
    tray->SetImageList(&images);
    tray->SetOrdreImageListAffiche("1,2");
    tray->TimerAnimationPetiteIconeOnTimer();
    EXPECT_EQ(tray->NumIconeAfficheImageList(), 2);
    EXPECT_EQ(pictureNumber(tray->Icone()), 9999);
}

TEST_F(TrayAnimationTest, SwitchingTheAnimationOffShowsTheRestingImage) {
    makeImages(5);
    tray->SetImageList(&images);
    tray->SetIntervalAnimation(1000);
    tray->SetAnimation(true);
    tray->SetNumIconeImageList(3);
    EXPECT_EQ(pictureNumber(tray->Icone()), 9999);
    tray->SetAnimation(false);
    EXPECT_EQ(pictureNumber(tray->Icone()), 3);
}

TEST_F(TrayAnimationTest, TheAnimationTimerChangesTheIcon) {
    makeImages(2);
    tray->SetImageList(&images);
    tray->SetPetiteIconeVisible(true);
    tray->Loaded();
    tray->SetIntervalAnimation(5);
    tray->SetAnimation(true);
    EXPECT_TRUE(QTest::qWaitFor([this] { return pictureNumber(tray->Icone()) == 1; }, 5000));
    tray->SetAnimation(false);
}

TEST_F(TrayAnimationTest, BlinkingInvertsOnEachTickAndStopsOnSwitchingOff) {
    tray->SetGrandeIconBlink(false);
    EXPECT_EQ(taskbar.calls, QStringList({"attention off"}));
    taskbar.calls.clear();
    tray->SetIntervalGrandeIconeBlink(5);
    tray->SetGrandeIconBlink(true);
    EXPECT_TRUE(QTest::qWaitFor([this] { return taskbar.calls.size() >= 2; }, 5000));
    tray->SetGrandeIconBlink(false);
    EXPECT_EQ(taskbar.calls.constLast(), "attention off");
    EXPECT_FALSE(taskbar.attention);
    for (qsizetype tick = 0; tick + 1 < taskbar.calls.size(); ++tick)
        EXPECT_EQ(taskbar.calls[tick], tick % 2 == 0 ? "attention" : "attention off") << tick;
}
