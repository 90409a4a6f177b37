// Loading the largest track file into the window, against what Qt itself needs for the same text.
//
//   bench-window [REPEATS]
//
// Prints the time of a load into the window (ListTrackFile until the view is painted), of one
// bare appendPlainText of the already-decoded text into a fresh QPlainTextEdit (the floor inside
// Qt), of appending the entries one by one (what a line-by-line port does), of the 10th load in a
// row against the first, and the resident memory after 10 loads against the bare appends of the
// same text, each measured in a process of its own.
#include <QApplication>
#include <QPlainTextEdit>
#include <QProcess>
#include <QTemporaryDir>
#include <QWindow>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <malloc.h>
#include <string>
#include <vector>

#include "cp932.h"
#include "listing_view_text.h"
#include "tform1.h"
#include "track_listing.h"
#include "zelm_application.h"

namespace {

using Clock = std::chrono::steady_clock;

double MillisecondsSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

double Median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

void ShowAndWait(QWidget& w)
{
    w.show();
    while (!w.windowHandle() || !w.windowHandle()->isExposed())
        QCoreApplication::processEvents();
}

// Lays out and paints the view now, as the event loop would after the command returns.
void Paint(QPlainTextEdit* view)
{
    view->viewport()->repaint();
    QCoreApplication::processEvents();
}

// A fresh view with the window's own view settings.
struct BareView {
    TForm1 form;  // only lends its view's font
    QPlainTextEdit edit;
    BareView()
    {
        edit.setFont(form.RichEdit1->font());
        edit.setFixedSize(form.RichEdit1->size());
        ShowAndWait(edit);
    }
};

double TimeLoad(const QString& path)
{
    TForm1 form;
    ShowAndWait(form);
    const auto start = Clock::now();
    form.LoadTrackFile(path);
    Paint(form.RichEdit1);
    return MillisecondsSince(start);
}

double TimeBareAppend(const QString& text)
{
    BareView view;
    const auto start = Clock::now();
    view.edit.appendPlainText(text);
    Paint(&view.edit);
    return MillisecondsSince(start);
}

double TimeEntryByEntry(const QString& path)
{
    BareView view;
    const auto start = Clock::now();
    const auto listing = zelm::ListTrackFile(QFile::encodeName(path).toStdString());
    for (std::size_t i = 0; i < listing.EntryCount(); ++i)
        view.edit.appendPlainText(QString::fromStdString(zelm::Cp932ToUtf8(listing.Entry(i))));
    Paint(&view.edit);
    return MillisecondsSince(start);
}

// Times of `loads` loads in a row into one window.
std::vector<double> TimeConsecutiveLoads(const QString& path, int loads)
{
    TForm1 form;
    ShowAndWait(form);
    std::vector<double> times;
    for (int i = 0; i < loads; ++i) {
        const auto start = Clock::now();
        form.LoadTrackFile(path);
        Paint(form.RichEdit1);
        times.push_back(MillisecondsSince(start));
    }
    return times;
}

// The same for bare appends of the decoded text into one view: what Qt's document alone does as
// it grows.
std::vector<double> TimeConsecutiveBareAppends(const QString& text, int appends)
{
    BareView view;
    std::vector<double> times;
    for (int i = 0; i < appends; ++i) {
        const auto start = Clock::now();
        view.edit.appendPlainText(text);
        Paint(&view.edit);
        times.push_back(MillisecondsSince(start));
    }
    return times;
}

// Medians, position by position, of several runs of a sequence.
template <typename Run>
std::vector<double> MedianSequence(int repeats, Run run)
{
    std::vector<std::vector<double>> runs;
    for (int i = 0; i < repeats; ++i)
        runs.push_back(run());
    std::vector<double> medians;
    for (std::size_t k = 0; k < runs.front().size(); ++k) {
        std::vector<double> at;
        for (const auto& r : runs)
            at.push_back(r[k]);
        medians.push_back(Median(at));
    }
    return medians;
}

void PrintSequence(const char* label, const std::vector<double>& times)
{
    std::printf("%s", label);
    for (const double t : times)
        std::printf(" %.0f", t);
    std::printf("   10th / 1st = %.2f\n", times.back() / times.front());
}

long ResidentKilobytes()
{
    malloc_trim(0);  // what was freed goes back, so only what is held counts
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmRSS:", 0) == 0)
            return std::stol(line.substr(6));
    }
    return -1;
}

// The child processes: resident memory after ten loads, or after ten bare appends.
int MeasureMemory(const QString& mode, const QString& path)
{
    if (mode == "load10") {
        TForm1 form;
        ShowAndWait(form);
        for (int i = 0; i < 10; ++i) {
            form.LoadTrackFile(path);
            Paint(form.RichEdit1);
        }
        std::printf("%ld\n", ResidentKilobytes());
    } else {
        BareView view;
        {
            const QString text = ListingViewText(zelm::ListTrackFile(QFile::encodeName(path).toStdString()));
            for (int i = 0; i < 10; ++i) {
                view.edit.appendPlainText(text);
                Paint(&view.edit);
            }
        }
        std::printf("%ld\n", ResidentKilobytes());
    }
    return 0;
}

long MemoryOf(const QString& mode, const QString& path)
{
    QProcess child;
    child.start(QCoreApplication::applicationFilePath(), {"--memory", mode, path});
    child.waitForFinished(-1);
    return child.readAllStandardOutput().trimmed().toLong();
}

}  // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    ZelmApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() == 4 && args[1] == "--memory")
        return MeasureMemory(args[2], args[3]);
    const int repeats = args.size() > 1 ? std::max(1, args[1].toInt()) : 5;

    // The largest listing there is: a file of nothing but the signature claims 65535 points.
    QTemporaryDir dir;
    const QString path = dir.filePath("max.trc");
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write("TRAC1.00") != 8)
            return 1;
    }
    const QString decoded = ListingViewText(zelm::ListTrackFile(QFile::encodeName(path).toStdString()));

    std::vector<double> load, bare;
    for (int i = 0; i < repeats; ++i) {
        load.push_back(TimeLoad(path));
        bare.push_back(TimeBareAppend(decoded));
    }
    const double entryByEntry = TimeEntryByEntry(path);
    const int sequences = std::max(3, repeats / 2);
    const std::vector<double> consecutive = MedianSequence(sequences, [&] { return TimeConsecutiveLoads(path, 10); });
    const std::vector<double> bareConsecutive =
        MedianSequence(sequences, [&] { return TimeConsecutiveBareAppends(decoded, 10); });
    const long loadMemory = MemoryOf("load10", path);
    const long bareMemory = MemoryOf("bare10", path);

    const double loadMs = Median(load), bareMs = Median(bare);
    std::printf("max file: 65535 points, %lld characters of text\n", static_cast<long long>(decoded.size()));
    std::printf("load into the window (median of %d):   %8.1f ms\n", repeats, loadMs);
    std::printf("(a) bare appendPlainText (median):      %8.1f ms   load / (a) = %.2f   (goal <= 1.3)\n",
                bareMs, loadMs / bareMs);
    std::printf("(b) entry by entry:                     %8.1f ms   (b) / load = %.1f   (goal >= 10)\n",
                entryByEntry, entryByEntry / loadMs);
    std::printf("10 loads in a row, median of %d runs (ms):\n", sequences);
    PrintSequence("  into the window:       ", consecutive);
    std::printf("  (goal <= 1.3)\n");
    PrintSequence("  (a) bare, for scale:   ", bareConsecutive);
    std::printf("  10th load / 10th bare append = %.2f\n", consecutive.back() / bareConsecutive.back());
    std::printf("resident after 10 loads:                %8ld KiB\n", loadMemory);
    std::printf("resident after 10 bare appends (a):     %8ld KiB   ratio = %.2f   (goal <= 1.1)\n", bareMemory,
                static_cast<double>(loadMemory) / static_cast<double>(bareMemory));
    return 0;
}
