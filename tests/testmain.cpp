#include "testmain.h"

#include <QApplication>
#include <QTest>
#include <memory>
#include <vector>

namespace {

struct Entry {
    const char *name;
    std::function<QObject *()> make;
};

std::vector<Entry> &registry()
{
    static std::vector<Entry> entries;
    return entries;
}

} // namespace

int registerTestClass(const char *name, std::function<QObject *()> make)
{
    registry().push_back({name, std::move(make)});
    return int(registry().size());
}

int main(int argc, char **argv)
{
    // Tests never need a screen, and never touch the user's settings.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    app.setAttribute(Qt::AA_Use96Dpi, true);
    int failures = 0;
    for (const Entry &entry : registry()) {
        std::unique_ptr<QObject> test(entry.make());
        failures += QTest::qExec(test.get(), argc, argv);
    }
    return failures == 0 ? 0 : 1;
}
