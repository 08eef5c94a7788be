// The chart window's sums of the history, the week clock's hourly figures and their registry
// value, and the PNG written through the Windows Imaging Component.
#include <gtest/gtest.h>
#include <wincodec.h>
#include <string.h>
#include <string>
#include "charts/chart_paint.h"
#include "core/figures.h"
#include "core/history_sums.h"
#include "core/registry_store.h"
#include "core/saving.h"
#include "fakes/fake_clock.h"
#include "settings_key_support.h"
#include "ui/picture_export.h"

namespace {

// The key presses of the bar in `slot` of `unit`; -1 for a gap.
int64_t BarKeys(const ChartSums &sums, ChartUnit unit, int32_t slot)
{
    const ChartBar *bar = BarInSlot(&sums.series[unit], slot);
    return bar ? (int64_t)bar->figures.keys : -1;
}

// Slots are counted by hand from the first real day, Wednesday 28 February 2024: 2024 is a
// leap year, so 7 January 2025 is 307 + 7 days later; weeks from Monday begin on
// 26 February, from Sunday on 25 February, and 30 December is a Monday 308 days after.
TEST(ChartSumsTest, WeeksMonthsAndYearsAtTheirEdgesWithGapsAndDaysThatAreNone)
{
    const DateKey today = DateKeyOf(2025, 1, 7);
    // In no order; 29 February 2023 is no day, and today's record comes with its figures.
    const HistoryRecord records[] = {
        MakeRecord(DateKeyOf(2025, 1, 5), 2, 0, 0, 0, 0, 0),
        MakeRecord(DateKeyOf(2024, 2, 29), 8, 0, 0, 0, 0, 0),
        MakeRecord(DateKeyOf(2024, 12, 30), 1, 0, 0, 0, 0, 0),
        MakeRecord(DateKeyOf(2023, 2, 29), 32, 0, 0, 0, 0, 0),
        MakeRecord(DateKeyOf(2025, 1, 6), 4, 0, 0, 0, 0, 0),
        MakeRecord(DateKeyOf(2024, 3, 1), 64, 0, 0, 0, 0, 0),
        MakeRecord(DateKeyOf(2024, 2, 28), 16, 0, 0, 0, 0, 0),
        MakeRecord(today, 1000, 0, 0, 0, 0, 0),
    };
    ChartSums sums;
    ASSERT_TRUE(BuildChartSums(&sums, records, 8, today, 0));  // weeks from Monday
    SetTodayFigures(&sums, Figures{100, 0, 0, 0, 0, 0});
    EXPECT_EQ(BarKeys(sums, UNIT_DAY, 1), 8) << "29 February";
    EXPECT_EQ(BarKeys(sums, UNIT_DAY, 3), -1) << "2 March, a day without record";
    EXPECT_EQ(BarKeys(sums, UNIT_DAY, 314), 100) << "today";
    EXPECT_EQ(sums.series[UNIT_DAY].slots, 315);
    EXPECT_EQ(BarKeys(sums, UNIT_WEEK, 44), 1 + 2) << "Monday 30 December to Sunday";
    EXPECT_EQ(BarKeys(sums, UNIT_WEEK, 45), 4 + 100) << "today's week";
    EXPECT_EQ(BarKeys(sums, UNIT_WEEK, 43), -1);
    EXPECT_EQ(BarKeys(sums, UNIT_MONTH, 0), 8 + 16) << "February 2024";
    EXPECT_EQ(BarKeys(sums, UNIT_MONTH, 1), 64) << "March";
    EXPECT_EQ(BarKeys(sums, UNIT_MONTH, 2), -1) << "April";
    EXPECT_EQ(BarKeys(sums, UNIT_MONTH, 11), 2 + 4 + 100) << "January 2025";
    EXPECT_EQ(BarKeys(sums, UNIT_YEAR, 0), 8 + 64 + 16 + 1);
    EXPECT_EQ(sums.series[UNIT_YEAR].firstPeriod, 2024) << "29 February 2023 is left out";
    DestroyChartSums(&sums);

    // Weeks from Sunday: 5 January 2025 begins the week of the 6th.
    ASSERT_TRUE(BuildChartSums(&sums, records, 8, today, 6));
    EXPECT_EQ(BarKeys(sums, UNIT_WEEK, 44), 1);
    EXPECT_EQ(BarKeys(sums, UNIT_WEEK, 45), 2 + 4);
    DestroyChartSums(&sums);
}

LPARAM FloatBits(float value)
{
    uint32_t bits;
    memcpy(&bits, &value, sizeof bits);
    return (LPARAM)bits;
}

const HourlyRecord NO_HOURS[HOURS_IN_WEEK] = {};

TEST(HourlyActivityTest, EventsAreCreditedToTheHourOfTheWeekTheyAreCountedIn)
{
    ReplaceHourlyActivity(NO_HOURS);
    SetFakeDate(2010, 6, 13);  // a Sunday
    SetFakeTime(23, 59, 59);
    OnKeyPress(0);
    OnClickRight();
    OnMouseDistance(FloatBits(2.5f));
    SetFakeDate(2010, 6, 14);
    SetFakeTime(0, 0, 0);
    OnKeyPress(0);
    ResetFakeClock();
    EXPECT_EQ(HourlyActivity[167].keys, 1u) << "Sunday 23:00, the last hour of the week";
    EXPECT_EQ(HourlyActivity[167].clicks, 1u);
    EXPECT_EQ(HourlyActivity[167].distance, 2.5);
    EXPECT_EQ(HourlyActivity[0].keys, 1u) << "Monday 00:00, the first";
}

template <class T>
T Field(const RegistryValue &value, size_t offset)
{
    T field;
    memcpy(&field, value.data.data() + offset, sizeof field);
    return field;
}

TEST(HourlyActivityTest, StoredAsOneRecordPerHourFromMondayAndAWrongSizeReadsAsZeros)
{
    ResetProgramState();
    HourlyRecord hours[HOURS_IN_WEEK] = {};
    hours[24 + 13] = HourlyRecord{7, 3, 1.5};  // Tuesday 13:00
    ReplaceHourlyActivity(hours);
    ASSERT_TRUE(SaveToRegistry());
    RegistryValue stored = ReadRegistryValue(SETTINGS_KEY, "Hourly Activity");
    EXPECT_EQ(stored.type, (DWORD)REG_BINARY);
    ASSERT_EQ(stored.data.size(), 4032u);
    EXPECT_EQ(Field<uint64_t>(stored, 37 * 24), 7u);
    EXPECT_EQ(Field<uint64_t>(stored, 37 * 24 + 8), 3u);
    EXPECT_EQ(Field<double>(stored, 37 * 24 + 16), 1.5);

    ReplaceHourlyActivity(NO_HOURS);
    ASSERT_TRUE(LoadFromRegistry());
    EXPECT_EQ(HourlyActivity[37].keys, 7u);
    stored.data.pop_back();
    WriteSettingsValue("Hourly Activity", REG_BINARY, stored.data.data(), 4031);
    ASSERT_TRUE(LoadFromRegistry());
    EXPECT_EQ(HourlyActivity[37].keys, 0u) << "a value of 4031 bytes is taken";
    ResetProgramState();
}

// The colour of pixel x, y of a PNG file as the Windows Imaging Component reads it back.
COLORREF PngPixel(const wchar_t *path, UINT x, UINT y, UINT *width, UINT *height)
{
    IWICImagingFactory *factory = nullptr;
    IWICBitmapDecoder *decoder = nullptr;
    IWICBitmapFrameDecode *frame = nullptr;
    IWICFormatConverter *converter = nullptr;
    BYTE bgra[4] = {1, 2, 3, 4};
    WICRect pixel = {(INT)x, (INT)y, 1, 1};
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    if (SUCCEEDED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER,
                                   IID_IWICImagingFactory, (void **)&factory))
        && SUCCEEDED(factory->CreateDecoderFromFilename(path, nullptr, GENERIC_READ,
                                                        WICDecodeMetadataCacheOnLoad, &decoder))
        && SUCCEEDED(decoder->GetFrame(0, &frame)) && SUCCEEDED(frame->GetSize(width, height))
        && SUCCEEDED(factory->CreateFormatConverter(&converter))
        && SUCCEEDED(converter->Initialize(frame, GUID_WICPixelFormat32bppBGRA,
                                           WICBitmapDitherTypeNone, nullptr, 0,
                                           WICBitmapPaletteTypeCustom)))
        converter->CopyPixels(&pixel, 4, 4, bgra);
    for (IUnknown *object : {(IUnknown *)converter, (IUnknown *)frame, (IUnknown *)decoder,
                             (IUnknown *)factory})
        if (object)
            object->Release();
    CoUninitialize();
    return RGB(bgra[2], bgra[1], bgra[0]);
}

TEST(ChartLayoutTest, GridCellsGrowWithALargeWindowToTwiceTheirBaseSize)
{
    static ChartData data = {};
    HDC dc = CreateCompatibleDC(nullptr);
    SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
    for (int kind : {VIEW_CALENDAR, VIEW_CLOCK}) {
        ChartView view = {};
        view.kind = kind;
        view.year = 2024;
        ChartLayout layout = LayOutChart(dc, RECT{0, 0, 4000, 3000}, &data, &view, 96);
        EXPECT_EQ(layout.cell, 2 * layout.baseCell) << "view " << kind;
    }
    DeleteDC(dc);
}

TEST(PictureExportTest, PngIsWrittenAndReadsBackWithItsSizeAndColours)
{
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, 3, 2);
    ReleaseDC(nullptr, screen);
    HGDIOBJ old = SelectObject(dc, bitmap);
    RECT all = {0, 0, 3, 2}, corner = {2, 1, 3, 2};
    SetBkColor(dc, RGB(255, 255, 255));
    ExtTextOutA(dc, 0, 0, ETO_OPAQUE, &all, "", 0, nullptr);
    SetBkColor(dc, RGB(49, 130, 189));
    ExtTextOutA(dc, 0, 0, ETO_OPAQUE, &corner, "", 0, nullptr);
    SelectObject(dc, old);
    DeleteDC(dc);
    wchar_t path[MAX_PATH];
    GetTempPathW(MAX_PATH, path);
    wcscat(path, L"tallywick-chart-test.png");
    ASSERT_TRUE(SaveBitmapAsPng(path, bitmap));
    DeleteObject(bitmap);
    UINT width = 0, height = 0;
    EXPECT_EQ(PngPixel(path, 2, 1, &width, &height), RGB(49, 130, 189));
    EXPECT_EQ(PngPixel(path, 0, 0, &width, &height), RGB(255, 255, 255));
    EXPECT_EQ(width, 3u);
    EXPECT_EQ(height, 2u);
    DeleteFileW(path);
}

}  // namespace
