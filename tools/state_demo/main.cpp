// Opens the main window with a row of each of the four states in its document list and writes
// two BMP files into
// the folder given as the only argument: list.bmp, the list as it is drawn on the screen, and
// states.bmp, the four state images side by side over white, each pixel as it was drawn.

#include <app/main_window.h>
#include <doclist/document_list.h>
#include <doclist/state_images.h>

#include <window_capture.h>

#include <windows.h>
#include <commctrl.h>
#include <ole2.h>

#include <cstdio>
#include <memory>
#include <string>

namespace {

struct DemoRow {
    const char* source;
    doclist::RowState state;
    const char* result;
    const char* output;
};

constexpr DemoRow kRows[] = {
    {"D:\\文档\\项目计划书.docx", doclist::RowState::New, "", ""},
    {"D:\\文档\\2024年度预算.xlsx", doclist::RowState::Processing, "正在处理", ""},
    {"D:\\文档\\产品介绍.pptx", doclist::RowState::Failed, "失败", ""},
    {"D:\\文档\\会议纪要.doc", doclist::RowState::Done, "完成", "D:\\文档\\会议纪要_doc.pdf"},
};

// The part of a capture that a child window covers, border included.
testsupport::Capture Crop(const testsupport::Capture& whole, HWND parent, HWND child) {
    RECT place{};
    GetWindowRect(child, &place);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&place), 2);
    testsupport::Capture part;
    part.width = place.right - place.left;
    part.height = place.bottom - place.top;
    for (int y = place.top; y < place.bottom; ++y)
        for (int x = place.left; x < place.right; ++x)
            part.pixels.push_back(whole.At(x, y));
    return part;
}

// The four images as the image list holds them, laid over white.
testsupport::Capture StateStrip() {
    testsupport::Capture strip;
    strip.width = doclist::kStateImageSize * doclist::kRowStateCount;
    strip.height = doclist::kStateImageSize;
    strip.pixels.assign(static_cast<size_t>(strip.width) * strip.height, RGB(255, 255, 255));
    for (int i = 0; i < doclist::kRowStateCount; ++i) {
        const auto image = doclist::DrawStateImage(static_cast<doclist::RowState>(i));
        for (int y = 0; y < doclist::kStateImageSize; ++y) {
            for (int x = 0; x < doclist::kStateImageSize; ++x) {
                const std::uint32_t p =
                    image[static_cast<size_t>(y) * doclist::kStateImageSize + x];
                const unsigned alpha = p >> 24;
                auto over = [alpha](unsigned c) {
                    return static_cast<BYTE>((c * alpha + 255 * (255 - alpha) + 127) / 255);
                };
                strip.pixels[static_cast<size_t>(y) * strip.width + i * doclist::kStateImageSize +
                             x] =
                    RGB(over((p >> 16) & 0xFF), over((p >> 8) & 0xFF), over(p & 0xFF));
            }
        }
    }
    return strip;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: state_demo FOLDER\n");
        return 2;
    }
    const std::string folder = argv[1];
    // As the program starts: OLE for the thread, then the main window with all its controls.
    if (FAILED(OleInitialize(nullptr)))
        return 1;
    INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&icc);
    std::unique_ptr<app::MainWindow> window = app::MainWindow::Create();
    if (window == nullptr) {
        std::fprintf(stderr, "state_demo: the main window could not be made\n");
        return 1;
    }
    doclist::DocumentList& list = window->超级列表框;
    for (const DemoRow& row : kRows) {
        const int index = list.AppendRow(row.source);
        list.SetRowState(index, row.state);
        list.SetCellText(index, doclist::DocumentColumn::Result, row.result);
        list.SetCellText(index, doclist::DocumentColumn::Output, row.output);
    }
    testsupport::PumpFor(300);

    const testsupport::Capture shot =
        Crop(testsupport::CaptureClient(window->hwnd()), window->hwnd(), list.Handle());
    if (!shot.SaveBmp(folder + "\\list.bmp") || !StateStrip().SaveBmp(folder + "\\states.bmp")) {
        std::fprintf(stderr, "state_demo: cannot write into %s\n", folder.c_str());
        return 1;
    }
    window.reset();
    OleUninitialize();
    return 0;
}
