// The name picker: reading its lists from a "Names.Txt" of 58 lists of 256 names and a full
// "UserCard.Txt", and showing a list as long as the grid (258 names) with its repaint.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "app/Uenames.h"
#include "model/ModelServices.h"
#include "platform/rtl/Units.h"
#include "platform/vcl/PlatformUnits.h"
#include "platform/win/Windows.h"

namespace {

using namespace zel;

std::string Lists(int Count, int Names) {
    std::string text;
    char name[16];
    for (int list = 0; list < Count; ++list) {
        for (int i = 0; i < Names; ++i) {
            std::snprintf(name, sizeof name, "L%02d Name %03d", list % 100, i % 1000);
            text += name;
            text += "\r\n";
        }
        if (list + 1 < Count) text += "\xC7\r\n";
    }
    return text;
}

// The picker over a data folder of its own holding the two files.
class TPickerWithFiles {
public:
    TPickerWithFiles() {
        setenv("QT_QPA_PLATFORM", "offscreen", 0);
        folder_ = std::filesystem::temp_directory_path() / ("zelmovi-names-bench-" + std::to_string(getpid()));
        std::filesystem::create_directories(folder_);
        std::ofstream(folder_ / "Names.Txt", std::ios::binary) << Lists(58, 256);
        std::string userCard;
        for (int count : {32, 32, 128, 128}) userCard += Lists(1, count) + "\xC7\r\n";
        std::ofstream(folder_ / "UserCard.Txt", std::ios::binary) << userCard;
        saved_ = ModelServices().DataFolder;
        ModelServices().DataFolder = [this] { return folder_.string(); };
        Form = Construct<TFormNames>(nullptr);
    }
    ~TPickerWithFiles() {
        delete Form;
        ModelServices().DataFolder = saved_;
        ProcessPendingMessages();
        std::filesystem::remove_all(folder_);
    }
    TFormNames* Form = nullptr;

private:
    std::filesystem::path folder_;
    std::function<std::string()> saved_;
};

void BM_NamesLoad(benchmark::State& state) {
    TUnitsScope units(PlatformUnits());
    TPickerWithFiles picker;
    for (auto _ : state) {
        picker.Form->Load();
        benchmark::DoNotOptimize(picker.Form->List(62).GetCount());
    }
}
BENCHMARK(BM_NamesLoad)->Unit(benchmark::kMillisecond);

void BM_NamesSetTypeAndRepaint(benchmark::State& state) {
    TUnitsScope units(PlatformUnits());
    TPickerWithFiles picker;
    TStrings& list = picker.Form->List(1);
    for (int i = list.GetCount(); i < 258; ++i) list.Add("Extra Name  ");
    picker.Form->Show();
    picker.Form->Selected = 200;
    ProcessPendingMessages();
    for (auto _ : state) {
        picker.Form->SetType(1);
        picker.Form->StringGrid1->Repaint();
        ProcessPendingMessages();
    }
}
BENCHMARK(BM_NamesSetTypeAndRepaint)->Unit(benchmark::kMillisecond);

}  // namespace
