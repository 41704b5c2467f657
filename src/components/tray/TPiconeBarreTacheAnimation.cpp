#include "SeparatedItems.h"
#include "TPiconeBarreTache.h"

#include <algorithm>

namespace orvandel::inline components {

namespace {

const QString Separator = QStringLiteral(",");

// A timer with no interval never ticks, as an enabled timer of interval 0 never does.
void applyTimer(QTimer& timer, bool enabled, int interval) {
    if (enabled && interval > 0)
        timer.start(interval);
    else
        timer.stop();
}

bool isOrderCharacter(QChar character) {
    return character == u',' || (character >= u'0' && character <= u'9');
}

// An empty item, or a number too large for 32 bits, stands for image 0.
int itemValue(const QString& item) {
    bool valid = false;
    const int value = item.toInt(&valid);
    return valid ? value : 0;
}

} // namespace

ExceptionNumsImageLIstAffiche::ExceptionNumsImageLIstAffiche()
    : Error(QStringLiteral(
          "Erreur dans PiconeBarreTache : Mauvaise entrée dans NumsImageListAffiche. Mettre les "
          "numéros des images de la liste (ImageList) que vous voulez voir défiler séparés par "
          "des virgules")) {}

void StopFlash(desktop::TaskbarButton& taskbarButton) {
    taskbarButton.stopAskingForAttention();
}

void TPiconeBarreTache::SetOrdreImageListAffiche(const QString& Value) {
    if (!std::all_of(Value.cbegin(), Value.cend(), isOrderCharacter))
        throw ExceptionNumsImageLIstAffiche();
    NbNumOrdreImageListAffiche = Value.isEmpty() ? 0 : NbSousChaine(Separator, Value) + 1;
    FOrdreImageListAffiche = Value;
}

void TPiconeBarreTache::SetAnimation(bool Value) {
    FAnimation = Value;
    applyTimer(TimerAnimationPetiteIcone, FAnimation, FIntervalAnimation);
    if (!Value)
        SetNumIconeAfficheImageList(FNumIconeImageList);
}

void TPiconeBarreTache::SetIntervalAnimation(int Value) {
    FIntervalAnimation = Value;
    applyTimer(TimerAnimationPetiteIcone, FAnimation, FIntervalAnimation);
}

void TPiconeBarreTache::TimerAnimationPetiteIconeOnTimer() {
    if (!FImageList || FImageList->Count() == 0)
        return;
    const int Count = FImageList->Count();
    if (NbNumOrdreImageListAffiche == 0) {
        SetNumIconeAfficheImageList(
            FNumIconeAfficheImageList < Count - 1 ? FNumIconeAfficheImageList + 1 : 0);
        return;
    }
    // The position moves before it is used.
    ++NumImageListAffiche;
    if (NumImageListAffiche > NbNumOrdreImageListAffiche - 1)
        NumImageListAffiche = 0;
    SetNumIconeAfficheImageList(
        itemValue(GaucheNDroite(Separator, FOrdreImageListAffiche, NumImageListAffiche)));
    if (FNumIconeAfficheImageList >= Count - 1)
        SetNumIconeAfficheImageList(Count - 1);
}

void TPiconeBarreTache::SetGrandeIconBlink(bool Value) {
    FGrandeIconBlink = Value;
    applyTimer(TimerGrandeIconeBlink, FGrandeIconBlink, FIntervalGrandeIconeBlink);
    if (!Value)
        StopFlash(Taskbar);
}

void TPiconeBarreTache::SetIntervalGrandeIconeBlink(int Value) {
    FIntervalGrandeIconeBlink = Value;
    applyTimer(TimerGrandeIconeBlink, FGrandeIconBlink, FIntervalGrandeIconeBlink);
}

// Each tick turns the call for attention on or off, so one blink takes two intervals.
void TPiconeBarreTache::TimerBigIconeOnTimer() {
    if (Taskbar.asksForAttention())
        Taskbar.stopAskingForAttention();
    else
        Taskbar.askForAttention();
}

} // namespace orvandel::inline components
