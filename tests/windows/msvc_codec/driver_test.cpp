// The built-in compressor's answers to the compression manager's messages, sent directly.
#include "recorder/builtin_video1_driver.h"
#include "recorder/builtin_video1_install.h"
#include "recorder/vfw.h"
#include "tests/windows/msvc_codec/video1_test_frames.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using msvc_codec_tests::TestFrame;
using recorder::kVideo1Handler;

namespace {

class BuiltinVideo1Driver : public ::testing::Test {
protected:
  void SetUp() override { ASSERT_TRUE(installation.Installed()); }

  recorder::BuiltinVideo1Installation installation = recorder::InstallBuiltinVideo1();
};

struct Compressed {
  LRESULT result;
  DWORD bytes;
  DWORD flags;
};

Compressed Compress(HIC hic, TestFrame& frame, BITMAPINFOHEADER& outFormat, std::vector<BYTE>& out,
                    bool key, DWORD quality = 6550) {
  DWORD flags = 0xDEAD, ckid = 0;
  // ICCompress answers a DWORD: its error codes are negative only as 32-bit values.
  LRESULT r = static_cast<LONG>(::ICCompress(hic, key ? ICCOMPRESS_KEYFRAME : 0, &outFormat,
                                             out.data(), frame.Header(), frame.Pixels(), &ckid,
                                             &flags, 0, 0, quality, nullptr, nullptr));
  return {r, outFormat.biSizeImage, flags};
}

} // namespace

TEST_F(BuiltinVideo1Driver, OpensForCompressionOnly) {
  recorder::vfw::Compressor compress(ICTYPE_VIDEO, kVideo1Handler, ICMODE_COMPRESS);
  recorder::vfw::Compressor query(ICTYPE_VIDEO, mmioFOURCC('m', 's', 'v', 'c'), ICMODE_QUERY);
  recorder::vfw::Compressor decompress(ICTYPE_VIDEO, kVideo1Handler, ICMODE_DECOMPRESS);
  EXPECT_TRUE(compress);
  EXPECT_TRUE(query);
  EXPECT_FALSE(decompress);
}

TEST_F(BuiltinVideo1Driver, DescribesItselfAsBuiltIn) {
  recorder::vfw::Compressor hic(ICTYPE_VIDEO, kVideo1Handler, ICMODE_QUERY);
  ASSERT_TRUE(hic);
  ICINFO info{};
  ASSERT_EQ(::ICGetInfo(hic.get(), &info, sizeof info), static_cast<LRESULT>(sizeof info));
  EXPECT_EQ(info.fccType, ICTYPE_VIDEO);
  EXPECT_EQ(info.fccHandler, kVideo1Handler);
  EXPECT_NE(std::wstring(info.szDescription).find(L"built into"), std::wstring::npos);
  EXPECT_TRUE(info.dwFlags & VIDCF_QUALITY);
  EXPECT_TRUE(info.dwFlags & VIDCF_TEMPORAL);
  EXPECT_TRUE(info.dwFlags & VIDCF_FASTTEMPORALC);
  EXPECT_EQ(ICGetDefaultQuality(hic.get()), 6550);
  EXPECT_EQ(ICGetDefaultKeyFrameRate(hic.get()), recorder::kVideo1KeyFrameRate);
}

TEST_F(BuiltinVideo1Driver, AcceptsEveryDepthAtMultiplesOfFourOnly) {
  recorder::vfw::Compressor hic(ICTYPE_VIDEO, kVideo1Handler, ICMODE_QUERY);
  ASSERT_TRUE(hic);
  for (int bpp : {8, 16, 24, 32}) {
    TestFrame frame(320, 200, bpp);
    EXPECT_EQ(ICCompressQuery(hic.get(), frame.Header(), nullptr), ICERR_OK) << bpp;
    // The format it proposes is the one it accepts as output.
    ASSERT_EQ(ICCompressGetFormatSize(hic.get(), frame.Header()),
              static_cast<LRESULT>(sizeof(BITMAPINFOHEADER)));
    BITMAPINFOHEADER out{};
    ASSERT_EQ(ICCompressGetFormat(hic.get(), frame.Header(), &out), ICERR_OK);
    EXPECT_EQ(out.biCompression, recorder::kVideo1Format);
    EXPECT_EQ(out.biBitCount, 16);
    EXPECT_EQ(out.biWidth, 320);
    EXPECT_EQ(out.biHeight, 200);
    EXPECT_EQ(ICCompressQuery(hic.get(), frame.Header(), &out), ICERR_OK) << bpp;
    EXPECT_EQ(ICCompressGetSize(hic.get(), frame.Header(), &out),
              static_cast<LRESULT>(80 * 50 * 18));
    out.biBitCount = 24;
    EXPECT_NE(ICCompressQuery(hic.get(), frame.Header(), &out), ICERR_OK) << bpp;
  }
  TestFrame wide(1366, 768, 32), odd(320, 202, 16), shallow(320, 200, 4);
  EXPECT_NE(ICCompressQuery(hic.get(), wide.Header(), nullptr), ICERR_OK);
  EXPECT_NE(ICCompressQuery(hic.get(), odd.Header(), nullptr), ICERR_OK);
  EXPECT_NE(ICCompressQuery(hic.get(), shallow.Header(), nullptr), ICERR_OK);
  TestFrame topDown(320, 200, 32), bitfields(320, 200, 16);
  topDown.Header()->biHeight = -200;
  bitfields.Header()->biCompression = BI_BITFIELDS;
  EXPECT_NE(ICCompressQuery(hic.get(), topDown.Header(), nullptr), ICERR_OK);
  EXPECT_NE(ICCompressQuery(hic.get(), bitfields.Header(), nullptr), ICERR_OK);
  EXPECT_NE(ICCompressQuery(hic.get(), nullptr, nullptr), ICERR_OK);
  EXPECT_EQ(ICCompressGetSize(hic.get(), wide.Header(), nullptr), 0);
}

TEST_F(BuiltinVideo1Driver, UnknownMessagesAreUnsupported) {
  recorder::vfw::Compressor hic(ICTYPE_VIDEO, kVideo1Handler, ICMODE_COMPRESS);
  ASSERT_TRUE(hic);
  TestFrame frame(64, 64, 32);
  for (UINT message : {UINT(ICM_DECOMPRESS_QUERY), UINT(ICM_DECOMPRESS_BEGIN), UINT(ICM_DRAW_BEGIN),
                       UINT(ICM_USER + 777)})
    EXPECT_EQ(::ICSendMessage(hic.get(), message, reinterpret_cast<DWORD_PTR>(frame.Header()), 0),
              ICERR_UNSUPPORTED)
        << message;
}

TEST_F(BuiltinVideo1Driver, HonoursKeyFrameRequestsAndReportsTheFlag) {
  recorder::vfw::Compressor hic(ICTYPE_VIDEO, kVideo1Handler, ICMODE_COMPRESS);
  ASSERT_TRUE(hic);
  for (int bpp : {8, 16, 24, 32}) {
    TestFrame frame(128, 96, bpp, 10), moved(128, 96, bpp, 40);
    BITMAPINFOHEADER outFormat{};
    ASSERT_EQ(ICCompressGetFormat(hic.get(), frame.Header(), &outFormat), ICERR_OK);
    std::vector<BYTE> out(
        static_cast<size_t>(ICCompressGetSize(hic.get(), frame.Header(), &outFormat)));
    ASSERT_EQ(ICCompressBegin(hic.get(), frame.Header(), &outFormat), ICERR_OK) << bpp;

    Compressed key = Compress(hic.get(), frame, outFormat, out, true);
    ASSERT_EQ(key.result, ICERR_OK) << bpp;
    EXPECT_EQ(key.flags, static_cast<DWORD>(AVIIF_KEYFRAME)) << bpp;
    const DWORD keyBytes = key.bytes;
    EXPECT_GE(keyBytes, 32u * 24u * 2u); // at least one word per block

    Compressed still = Compress(hic.get(), frame, outFormat, out, false);
    ASSERT_EQ(still.result, ICERR_OK);
    EXPECT_EQ(still.flags, 0u) << bpp;
    EXPECT_EQ(still.bytes, 2u) << bpp; // 768 blocks: one skip word

    Compressed change = Compress(hic.get(), moved, outFormat, out, false);
    ASSERT_EQ(change.result, ICERR_OK);
    EXPECT_EQ(change.flags, 0u) << bpp;
    EXPECT_GT(change.bytes, still.bytes);
    EXPECT_LT(change.bytes, keyBytes);

    Compressed again = Compress(hic.get(), moved, outFormat, out, true, ICQUALITY_DEFAULT);
    ASSERT_EQ(again.result, ICERR_OK);
    EXPECT_EQ(again.flags, static_cast<DWORD>(AVIIF_KEYFRAME)) << bpp;
    EXPECT_GE(again.bytes, keyBytes * 9 / 10);
    EXPECT_EQ(ICCompressEnd(hic.get()), ICERR_OK);
  }
}

TEST_F(BuiltinVideo1Driver, RefusesInvalidFramesWithAnError) {
  recorder::vfw::Compressor hic(ICTYPE_VIDEO, kVideo1Handler, ICMODE_COMPRESS);
  ASSERT_TRUE(hic);
  TestFrame frame(64, 64, 32), other(128, 64, 32);
  BITMAPINFOHEADER outFormat{};
  ASSERT_EQ(ICCompressGetFormat(hic.get(), frame.Header(), &outFormat), ICERR_OK);
  std::vector<BYTE> out(64 * 64 * 4);

  // Before ICCompressBegin nothing is compressed.
  EXPECT_NE(Compress(hic.get(), frame, outFormat, out, true).result, ICERR_OK);
  TestFrame badSize(66, 64, 32);
  EXPECT_NE(ICCompressBegin(hic.get(), badSize.Header(), &outFormat), ICERR_OK);
  ASSERT_EQ(ICCompressBegin(hic.get(), frame.Header(), &outFormat), ICERR_OK);

  EXPECT_EQ(::ICSendMessage(hic.get(), ICM_COMPRESS, 0, 0), ICERR_BADPARAM);
  DWORD flags = 0, ckid = 0;
  EXPECT_EQ(static_cast<LONG>(::ICCompress(hic.get(), ICCOMPRESS_KEYFRAME, &outFormat, out.data(),
                                           frame.Header(), nullptr, &ckid, &flags, 0, 0, 6550,
                                           nullptr, nullptr)),
            ICERR_BADPARAM);
  EXPECT_EQ(static_cast<LONG>(::ICCompress(hic.get(), ICCOMPRESS_KEYFRAME, &outFormat, nullptr,
                                           frame.Header(), frame.Pixels(), &ckid, &flags, 0, 0,
                                           6550, nullptr, nullptr)),
            ICERR_BADPARAM);
  // A frame of another size than the one begun.
  EXPECT_EQ(Compress(hic.get(), other, outFormat, out, true).result, ICERR_BADFORMAT);
  // Still usable afterwards.
  EXPECT_EQ(Compress(hic.get(), frame, outFormat, out, true).result, ICERR_OK);
  EXPECT_EQ(ICCompressEnd(hic.get()), ICERR_OK);
  EXPECT_NE(Compress(hic.get(), frame, outFormat, out, true).result, ICERR_OK);
}
