#include "logic/ErrorReport.h"

#include "RecordingDialogs.h"
#include "common/Error.h"

#include <gtest/gtest.h>

#include <new>
#include <stdexcept>

using orvandel::ErrorReport;

TEST(ErrorReport, ShowsTheTextOfEachKindOfErrorAndGoesOn) {
    RecordingDialogs dialogs;
    ErrorReport report(dialogs);
    report.run([] { throw orvandel::Error(QStringLiteral("Impossible d'écrire dans /x")); });
    report.run([] { throw std::bad_alloc(); });
    report.run([] { throw std::runtime_error("boom"); });
    report.run([] { throw 42; });
    bool ranAfterwards = false;
    report.run([&] { ranAfterwards = true; });
    EXPECT_TRUE(ranAfterwards);
    EXPECT_EQ(dialogs.errors, (QStringList{"Impossible d'écrire dans /x", "Mémoire insuffisante.",
                                           "boom", "Erreur inattendue."}));
}

TEST(ErrorReport, GuardedHandlersPassTheirArgumentsAndCatch) {
    RecordingDialogs dialogs;
    ErrorReport report(dialogs);
    int received = 0;
    auto handler = report.guarded([&](int value) {
        received = value;
        throw orvandel::Error(QStringLiteral("refusé %1").arg(value));
    });
    handler(7);
    EXPECT_EQ(received, 7);
    EXPECT_EQ(dialogs.errors, QStringList{"refusé 7"});
}
