#include "forms/options/TFormOptions.h"

#include "RecordingDialogs.h"
#include "ScopedEnvironmentVariable.h"
#include "ScriptedFolderDialog.h"
#include "TestFolder.h"
#include "forms/common/RoundedShape.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

using namespace orvandel;

namespace {

const QByteArray userChoices = "[Options]\n"
                               "Images=/old/\n"
                               "Nom Album=Espace\n"
                               "Compteur Album=7\n"
                               "Position=2\n"
                               "Timer=0x1E\n"
                               "Demarrage avec windows=0\n"
                               "Demarrage reduit=1\n"
                               "Changer au demarrage=0\n";

class FormOptionsTest : public ::testing::Test {
protected:
    // The dialog, with what it signals to the main window and the application recorded.
    std::unique_ptr<TFormOptions> createDialog() {
        auto dialog = std::make_unique<TFormOptions>(OptionsDialogServices{
            state, *startup, folderDialog, report, program.path(), executablePath});
        QObject::connect(dialog.get(), &TFormOptions::albumListingRequested,
                         [this] { signalled.append("ChargerOptions"); });
        QObject::connect(dialog.get(), &TFormOptions::closed,
                         [this] { signalled.append("enableRotationTimer"); });
        QObject::connect(dialog.get(), &TFormOptions::endRequested,
                         [this] { signalled.append("end"); });
        return dialog;
    }
    QLineEdit& field(const TFormOptions& dialog, const char* name) {
        return control<QLineEdit>(dialog, name);
    }

    template <typename Control> Control& control(const TFormOptions& dialog, const char* name) {
        auto* found = dialog.findChild<Control*>(name);
        if (found == nullptr)
            throw std::runtime_error(std::string("no control ") + name);
        return *found;
    }

    QByteArray settings() const { return program.read("Options.ini"); }
    bool hasStartupEntry() const {
        return QFile::exists(configuration.filePath("autostart/Lumivane.desktop"));
    }

    TestFolder program;
    TestFolder configuration;
    ScopedEnvironmentVariable configurationHome{"XDG_CONFIG_HOME", configuration.path()};
    std::unique_ptr<system::StartupRegistration> startup = system::createStartupRegistration();
    RecordingDialogs messageBoxes;
    ErrorReport report{messageBoxes};
    ProgramState state;
    QStringList signalled;
    ScriptedFolderDialog folderDialog;
    QString executablePath = program.filePath("bin dir/orvandel");
};

} // namespace

TEST_F(FormOptionsTest, HasTheDocumentedLayoutAndTexts) {
    const auto dialog = createDialog();
    EXPECT_EQ(dialog->size(), QSize(321, 388));
    EXPECT_TRUE(dialog->windowFlags() & Qt::FramelessWindowHint);
    struct Expected {
        const char* name;
        QRect place;
        QString text;
    };
    const std::vector<Expected> controls = {
        {"GroupBox1", {8, 8, 305, 138}, "Dossier du dernier Album des images consulté "},
        {"Edt_Dossier", {16, 24, 241, 21}, {}},
        {"Button1", {264, 24, 27, 21}, "..."},
        {"Label3", {16, 67, 146, 13}, "Nom dernier Album consulté :"},
        {"eNomAlbum", {162, 64, 127, 21}, {}},
        {"Label1", {14, 104, 207, 13}, "Dernier compteur des images de l'Album :"},
        {"eCompteurImages", {221, 101, 68, 21}, {}},
        {"GroupBox2", {8, 152, 305, 81}, " Options d'affichage "},
        {"Panel1", {16, 24, 193, 21}, "Position du fond d'écran :"},
        {"CmbBx_Position", {216, 24, 73, 21}, {}},
        {"Panel2", {16, 48, 193, 21}, "Changement des fonds d'écrans (min) :"},
        {"Edt_Timer", {216, 48, 73, 21}, {}},
        {"GroupBox3", {8, 240, 305, 105}, " Démarrage "},
        {"ChkBx_DemarrerAvecWindows", {18, 25, 273, 17}, "Démarrer avec Windows"},
        {"ChkBx_DemarrerReduit", {16, 48, 273, 17}, "Démarrer réduit dans la barre des tâches"},
        {"ChkBx_ChangerAuDemarrage", {16, 72, 273, 17}, "Changer le fond d'écran au démarrage"},
        {"Label2", {8, 354, 63, 28}, "Orvandel Version 2.11"},
        {"BitBtnSaveOK", {159, 351, 75, 25}, "OK"},
        {"BitBtn2", {240, 352, 75, 25}, "Fermer"},
    };
    for (const Expected& expected : controls) {
        const QWidget& widget = control<QWidget>(*dialog, expected.name);
        EXPECT_EQ(widget.geometry(), expected.place) << expected.name;
        QString text;
        if (const auto* box = qobject_cast<const QGroupBox*>(&widget))
            text = box->title();
        else if (const auto* button = qobject_cast<const QAbstractButton*>(&widget))
            text = button->text();
        else if (const auto* label = qobject_cast<const QLabel*>(&widget))
            text = label->text();
        if (!expected.text.isEmpty()) {
            EXPECT_EQ(text, expected.text) << expected.name;
        }
    }
    const auto& position = control<QComboBox>(*dialog, "CmbBx_Position");
    EXPECT_TRUE(position.isEditable());
    EXPECT_EQ(position.itemText(0) + position.itemText(1) + position.itemText(2),
              QStringLiteral("CentréMosaïqueEtiré"));
    for (const char* name :
         {"Button1", "CmbBx_Position", "ChkBx_DemarrerAvecWindows", "ChkBx_DemarrerReduit",
          "ChkBx_ChangerAuDemarrage", "BitBtnSaveOK", "BitBtn2"})
        EXPECT_EQ(control<QWidget>(*dialog, name).cursor().shape(), Qt::PointingHandCursor) << name;
    EXPECT_TRUE(control<QPushButton>(*dialog, "BitBtnSaveOK").isDefault());
    EXPECT_FALSE(control<QPushButton>(*dialog, "BitBtnSaveOK").icon().isNull());
    EXPECT_FALSE(control<QPushButton>(*dialog, "BitBtn2").icon().isNull());
}

TEST_F(FormOptionsTest, ASettingsFileWithoutTheOptionKeysShowsTheDialogDefaults) {
    program.write("Options.ini", "[Options]\nNom Album=\nCompteur Album=12\n");
    const auto dialog = createDialog();
    EXPECT_EQ(field(*dialog, "eNomAlbum").text(), "Nature");
    EXPECT_EQ(field(*dialog, "Edt_Dossier").text(), program.path() + "Images/Nature/");
    EXPECT_EQ(field(*dialog, "eCompteurImages").text(), "12");
    EXPECT_EQ(control<QComboBox>(*dialog, "CmbBx_Position").currentText(), "Centré");
    EXPECT_EQ(control<QLineEdit>(*dialog, "Edt_Timer").text(), "60");
    for (const char* box :
         {"ChkBx_DemarrerAvecWindows", "ChkBx_DemarrerReduit", "ChkBx_ChangerAuDemarrage"})
        EXPECT_TRUE(control<QCheckBox>(*dialog, box).isChecked()) << box;
    EXPECT_TRUE(messageBoxes.errors.isEmpty());
}

TEST_F(FormOptionsTest, FillsTheFieldsFromTheStoredChoices) {
    program.write("Options.ini", userChoices);
    auto dialog = createDialog();
    EXPECT_EQ(field(*dialog, "eNomAlbum").text(), "Espace");
    EXPECT_EQ(field(*dialog, "Edt_Dossier").text(), program.path() + "Images/Espace/");
    EXPECT_EQ(field(*dialog, "eCompteurImages").text(), "7");
    EXPECT_EQ(control<QComboBox>(*dialog, "CmbBx_Position").currentText(), QStringLiteral("Etiré"));
    EXPECT_EQ(control<QLineEdit>(*dialog, "Edt_Timer").text(), "30");
    EXPECT_FALSE(control<QCheckBox>(*dialog, "ChkBx_DemarrerAvecWindows").isChecked());
    EXPECT_TRUE(control<QCheckBox>(*dialog, "ChkBx_DemarrerReduit").isChecked());
    EXPECT_FALSE(control<QCheckBox>(*dialog, "ChkBx_ChangerAuDemarrage").isChecked());
    program.write("Options.ini", "[Options]\nPosition=7\n");
    dialog = createDialog();
    EXPECT_EQ(control<QComboBox>(*dialog, "CmbBx_Position").currentIndex(), -1)
        << "a value that is no entry selects none";
}

TEST_F(FormOptionsTest, ConfirmationTakesTheChoicesRegistersAndWritesTheEightKeysInOrder) {
    state.setNomAlbum("Nature");
    state.setDossierImages("/albums/Nature/");
    const auto dialog = createDialog();
    dialog->show();
    field(*dialog, "Edt_Dossier").setText(QStringLiteral("/albums/Santé/"));
    field(*dialog, "eNomAlbum").setText(QStringLiteral("Santé"));
    field(*dialog, "eCompteurImages").setText("12");
    control<QComboBox>(*dialog, "CmbBx_Position").setCurrentIndex(1);
    control<QLineEdit>(*dialog, "Edt_Timer").setText("5");
    control<QCheckBox>(*dialog, "ChkBx_DemarrerReduit").setChecked(false);
    control<QPushButton>(*dialog, "BitBtnSaveOK").click();

    EXPECT_TRUE(messageBoxes.errors.isEmpty()) << messageBoxes.errors.join("\n").toStdString();
    EXPECT_EQ(QString::fromUtf8(settings()), QStringLiteral("[Options]\n"
                                                            "Images=/albums/Santé/\n"
                                                            "Nom Album=Santé\n"
                                                            "Compteur Album=12\n"
                                                            "Position=1\n"
                                                            "Timer=5\n"
                                                            "Demarrage avec windows=1\n"
                                                            "Demarrage reduit=0\n"
                                                            "Changer au demarrage=1\n"));
    EXPECT_EQ(state.PositionImage(), 1);
    EXPECT_EQ(state.Tempo(), 5);
    EXPECT_TRUE(state.DemarrageAvecWindows());
    EXPECT_FALSE(state.DemarrageReduit());
    EXPECT_TRUE(state.ChangerAuDemarrage());
    EXPECT_EQ(state.NomAlbum(), "Nature") << "the album typed here takes effect at the next start";
    EXPECT_EQ(state.DossierImages(), "/albums/Nature/");
    EXPECT_EQ(signalled, (QStringList{"ChargerOptions", "enableRotationTimer"}));
    EXPECT_TRUE(configuration.read("autostart/Lumivane.desktop")
                    .contains("Exec=\"" + QFile::encodeName(executablePath) + "\"\n"));
    EXPECT_FALSE(dialog->isVisible());
}

TEST_F(FormOptionsTest, TypedPositionTextSelectsTheEntryItNamesOrNone) {
    const std::vector<std::pair<QString, int>> cases = {
        {QStringLiteral("Plein écran"), -1}, {QStringLiteral("Etiré"), 2}, {"", -1}};
    for (const auto& [typed, stored] : cases) {
        const auto dialog = createDialog();
        control<QComboBox>(*dialog, "CmbBx_Position").setEditText(typed);
        dialog->BitBtnSaveOKClick();
        EXPECT_EQ(state.PositionImage(), stored) << typed.toStdString();
        EXPECT_TRUE(settings().contains("\nPosition=" + QByteArray::number(stored) + "\n"))
            << typed.toStdString();
    }
}

TEST_F(FormOptionsTest, MinutesThatAreNoIntegerStopTheConfirmationAfterThePosition) {
    program.write("Options.ini", userChoices);
    const auto dialog = createDialog();
    dialog->show();
    control<QComboBox>(*dialog, "CmbBx_Position").setCurrentIndex(0);
    control<QLineEdit>(*dialog, "Edt_Timer").setText("abc");
    control<QCheckBox>(*dialog, "ChkBx_DemarrerAvecWindows").setChecked(true);
    control<QPushButton>(*dialog, "BitBtnSaveOK").click();
    EXPECT_EQ(messageBoxes.errors,
              QStringList{QStringLiteral("'abc' n'est pas une valeur entière correcte")});
    EXPECT_EQ(state.PositionImage(), 0) << "the position is taken before the minutes";
    EXPECT_EQ(state.Tempo(), 60);
    EXPECT_FALSE(state.DemarrageAvecWindows());
    EXPECT_EQ(settings(), userChoices);
    EXPECT_FALSE(hasStartupEntry());
    EXPECT_TRUE(signalled.isEmpty());
    EXPECT_TRUE(dialog->isVisible());
}

TEST_F(FormOptionsTest, AFailingRegistrationStopsTheStepsAfterIt) {
    configuration.write("autostart", "a file where the folder should be");
    const auto dialog = createDialog();
    dialog->show();
    control<QPushButton>(*dialog, "BitBtnSaveOK").click();
    EXPECT_EQ(messageBoxes.errors,
              QStringList{QStringLiteral("Echec à la définition des données pour 'Lumivane'")});
    EXPECT_EQ(signalled, QStringList{"ChargerOptions"});
    EXPECT_FALSE(QFile::exists(program.filePath("Options.ini"))) << "no settings written";
    EXPECT_TRUE(dialog->isVisible());
}

TEST_F(FormOptionsTest, UntickingDeletesTheStartupEntryAndConfirmingAgainIsHarmless) {
    configuration.write("autostart/other.desktop", "[Desktop Entry]\n");
    const auto dialog = createDialog();
    dialog->BitBtnSaveOKClick();
    ASSERT_TRUE(hasStartupEntry());
    control<QCheckBox>(*dialog, "ChkBx_DemarrerAvecWindows").setChecked(false);
    for (int confirmation = 0; confirmation < 2; ++confirmation) {
        control<QPushButton>(*dialog, "BitBtnSaveOK").click();
        EXPECT_TRUE(messageBoxes.errors.isEmpty());
        EXPECT_FALSE(hasStartupEntry());
        EXPECT_TRUE(settings().contains("\nDemarrage avec windows=0\n"));
    }
    EXPECT_EQ(configuration.read("autostart/other.desktop"), "[Desktop Entry]\n");
}

TEST_F(FormOptionsTest, FolderChoiceSetsTheFolderOnlyWhenConfirmed) {
    state.setDossierImages("/albums/Nature/");
    const auto dialog = createDialog();
    const QString shownAtStart = field(*dialog, "Edt_Dossier").text();
    auto& choose = control<QPushButton>(*dialog, "Button1");

    choose.click();
    EXPECT_EQ(folderDialog.titles,
              QStringList{QStringLiteral("Choisissez le dossier contenant les images ...")});
    EXPECT_EQ(folderDialog.startFolders, QStringList{"/albums/Nature/"});
    EXPECT_EQ(state.DossierImages(), "/albums/Nature/") << "cancel changes nothing";
    EXPECT_EQ(field(*dialog, "Edt_Dossier").text(), shownAtStart);
    EXPECT_TRUE(field(*dialog, "Edt_Dossier").toolTip().isEmpty());

    const std::vector<std::pair<QString, QString>> chosen = {
        {"/photos/vacances", "/photos/vacances/"}, {"/", "//"}};
    for (const auto& [folder, expected] : chosen) {
        folderDialog.answer = folder;
        choose.click();
        EXPECT_EQ(state.DossierImages(), expected);
        EXPECT_EQ(field(*dialog, "Edt_Dossier").text(), expected);
        EXPECT_EQ(field(*dialog, "Edt_Dossier").toolTip(), expected);
    }
    EXPECT_EQ(folderDialog.startFolders.last(), "/photos/vacances/");
}

TEST_F(FormOptionsTest, FermerAndEscapeCloseWithoutSavingAndKeepTheEdits) {
    const auto dialog = createDialog();
    dialog->show();
    field(*dialog, "eNomAlbum").setText("Villes");
    control<QPushButton>(*dialog, "BitBtn2").click();
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(signalled, QStringList{"enableRotationTimer"});
    EXPECT_FALSE(QFile::exists(program.filePath("Options.ini")));

    dialog->show();
    QTest::keyClick(&control<QLineEdit>(*dialog, "Edt_Timer"), Qt::Key_Escape);
    EXPECT_FALSE(dialog->isVisible());
    EXPECT_EQ(signalled.count("enableRotationTimer"), 2);
    EXPECT_FALSE(QFile::exists(program.filePath("Options.ini")));

    // The quit command confirms the hidden dialog.
    dialog->BitBtnSaveOKClick();
    EXPECT_TRUE(settings().contains("\nNom Album=Villes\n"));
}

TEST_F(FormOptionsTest, EnterConfirms) {
    const auto dialog = createDialog();
    dialog->show();
    control<QLineEdit>(*dialog, "Edt_Timer").setText("15");
    QTest::keyClick(&control<QLineEdit>(*dialog, "Edt_Timer"), Qt::Key_Return);
    EXPECT_TRUE(settings().contains("\nTimer=15\n"));
    EXPECT_FALSE(dialog->isVisible());
}

TEST_F(FormOptionsTest, ActivationCutsTheRoundedShape) {
    const auto dialog = createDialog();
    dialog->show();
    dialog->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(dialog.get()));
    EXPECT_EQ(dialog->mask(), roundedRectangleRegion(QSize(321, 388), 30, 30));
}

TEST_F(FormOptionsTest, TheQuitCommandConfirmsTheHiddenDialogAndEndsUnlessThatFails) {
    const auto dialog = createDialog();
    field(*dialog, "Edt_Timer").setText("abc");
    dialog->confirmAndEnd();
    EXPECT_EQ(messageBoxes.errors,
              QStringList{QStringLiteral("'abc' n'est pas une valeur entière correcte")});
    EXPECT_TRUE(signalled.isEmpty()) << "the program goes on";
    EXPECT_FALSE(QFile::exists(program.filePath("Options.ini")));

    field(*dialog, "Edt_Timer").setText("20");
    dialog->confirmAndEnd();
    EXPECT_EQ(signalled, (QStringList{"ChargerOptions", "enableRotationTimer", "end"}));
    EXPECT_TRUE(settings().contains("\nTimer=20\n"));
}

// The main window's album change and counter reach the fields, and the next confirmation saves
// them; the folder chosen here leaves an album name typed here alone.
TEST_F(FormOptionsTest, TheFieldsFollowTheAlbumAndCounterTheMainWindowSets) {
    const auto dialog = createDialog();
    state.setNomAlbum("Espace");
    state.setDossierImages(QStringLiteral("/opt/Images/Espace/"));
    dialog->setCounter("3");
    EXPECT_EQ(field(*dialog, "eNomAlbum").text(), "Espace");
    EXPECT_EQ(field(*dialog, "Edt_Dossier").text(), "/opt/Images/Espace/");
    EXPECT_EQ(field(*dialog, "eCompteurImages").text(), "3");

    field(*dialog, "eNomAlbum").setText("Villes");
    folderDialog.answer = QStringLiteral("/photos");
    control<QPushButton>(*dialog, "Button1").click();
    EXPECT_EQ(field(*dialog, "eNomAlbum").text(), "Villes");
    state.setECptImagesAlbum("9");
    EXPECT_EQ(field(*dialog, "eCompteurImages").text(), "3") << "copied only when the window says";

    dialog->BitBtnSaveOKClick();
    EXPECT_TRUE(settings().startsWith("[Options]\n"
                                      "Images=/photos/\n"
                                      "Nom Album=Villes\n"
                                      "Compteur Album=3\n"));
}
