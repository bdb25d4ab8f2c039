#include "recorder/wasapi_endpoint.h"

#include <mmreg.h>

#include <cwchar>

namespace recorder {

namespace {
constexpr REFERENCE_TIME kEndpointBufferDuration = 200 * kHundredNsPerMs;
} // namespace

HRESULT RenderEndpoint::Open(DWORD streamFlags) {
  ComPtr<IMMDeviceEnumerator> devices;
  HRESULT hr = ::CoCreateInstance(__uuidof(MMDeviceEnumerator), nullptr, CLSCTX_ALL,
                                  __uuidof(IMMDeviceEnumerator), devices.Out());
  if (SUCCEEDED(hr))
    hr = devices->GetDefaultAudioEndpoint(eRender, eConsole,
                                          reinterpret_cast<IMMDevice**>(device.Out()));
  return SUCCEEDED(hr) ? Initialize(streamFlags) : hr;
}

HRESULT RenderEndpoint::OpenBeside(const RenderEndpoint& other, DWORD streamFlags) {
  other.device->AddRef();
  *device.Out() = other.device.Get();
  return Initialize(streamFlags);
}

HRESULT RenderEndpoint::Initialize(DWORD streamFlags) {
  HRESULT hr = device->Activate(__uuidof(IAudioClient), CLSCTX_ALL, nullptr, client.Out());
  WAVEFORMATEX* format = nullptr;
  if (SUCCEEDED(hr)) hr = client->GetMixFormat(&format);
  mix.reset(format);
  if (SUCCEEDED(hr))
    hr = client->Initialize(AUDCLNT_SHAREMODE_SHARED, streamFlags, kEndpointBufferDuration, 0,
                            mix.get(), nullptr);
  return hr;
}

bool EncodingOf(const WAVEFORMATEX& format, SampleEncoding& encoding) {
  WORD tag = format.wFormatTag;
  if (tag == WAVE_FORMAT_EXTENSIBLE && format.cbSize >= 22) {
    // The KSDATAFORMAT_SUBTYPE_* GUIDs carry the plain format tag in their first field.
    static const GUID kSubtypeBase = {
        0x00000000, 0x0000, 0x0010, {0x80, 0x00, 0x00, 0xaa, 0x00, 0x38, 0x9b, 0x71}};
    GUID sub = reinterpret_cast<const WAVEFORMATEXTENSIBLE&>(format).SubFormat;
    tag = static_cast<WORD>(sub.Data1);
    sub.Data1 = 0;
    if (!::IsEqualGUID(sub, kSubtypeBase)) return false;
  }
  if (tag == WAVE_FORMAT_IEEE_FLOAT && format.wBitsPerSample == 32) {
    encoding = SampleEncoding::Float32;
    return true;
  }
  if (tag != WAVE_FORMAT_PCM) return false;
  switch (format.wBitsPerSample) {
  case 16:
    encoding = SampleEncoding::Int16;
    return true;
  case 24:
    encoding = SampleEncoding::Int24;
    return true;
  case 32:
    encoding = SampleEncoding::Int32;
    return true;
  default:
    return false;
  }
}

std::wstring HresultText(HRESULT hr) {
  wchar_t text[16];
  swprintf(text, 16, L"0x%08lX", static_cast<unsigned long>(hr));
  return text;
}

} // namespace recorder
