// The pieces of WASAPI the sound sources use: a COM apartment for the thread that uses the audio
// interfaces, interface pointers released on scope exit, the default output's shared-mode client
// (for loopback capture, or for the silent stream played beside it), and the sample encoding of
// its mix format.
#pragma once

#include "recorder/core/sound_convert.h"

#include <windows.h>

#include <audioclient.h>
#include <mmdeviceapi.h>
#include <objbase.h>

#include <memory>
#include <string>

namespace recorder {

// COM, for WASAPI: initialised on the thread that uses it, released with it.
class ComApartment {
public:
  ComApartment() : result_(::CoInitializeEx(nullptr, COINIT_MULTITHREADED)) {}
  ~ComApartment() {
    if (SUCCEEDED(result_)) ::CoUninitialize();
  }
  ComApartment(const ComApartment&) = delete;
  ComApartment& operator=(const ComApartment&) = delete;
  // A thread already in a single-threaded apartment can still use the audio interfaces.
  bool Usable() const { return SUCCEEDED(result_) || result_ == RPC_E_CHANGED_MODE; }

private:
  HRESULT result_;
};

// An interface pointer released on scope exit.
template <class T> class ComPtr {
public:
  ComPtr() = default;
  ComPtr(const ComPtr&) = delete;
  ComPtr& operator=(const ComPtr&) = delete;
  ~ComPtr() { Reset(); }
  T* operator->() const { return p_; }
  T* Get() const { return p_; }
  explicit operator bool() const { return p_ != nullptr; }
  void** Out() {
    Reset();
    return reinterpret_cast<void**>(&p_);
  }
  void Reset() {
    if (p_) p_->Release();
    p_ = nullptr;
  }

private:
  T* p_ = nullptr;
};

struct CoTaskFree {
  void operator()(void* p) const { ::CoTaskMemFree(p); }
};
using MixFormat = std::unique_ptr<WAVEFORMATEX, CoTaskFree>;

// WASAPI durations are in units of 100 ns.
constexpr REFERENCE_TIME kHundredNsPerMs = 10000;

// The default output's shared-mode client, initialised (loopback or plain rendering).
struct RenderEndpoint {
  ComPtr<IMMDevice> device;
  ComPtr<IAudioClient> client;
  MixFormat mix;

  HRESULT Open(DWORD streamFlags);
  // A second client on the same device (the silent stream that keeps loopback running).
  HRESULT OpenBeside(const RenderEndpoint& other, DWORD streamFlags);

private:
  HRESULT Initialize(DWORD streamFlags);
};

// The encoding of a shared-mode mix format, false when it is none we convert.
bool EncodingOf(const WAVEFORMATEX& format, SampleEncoding& encoding);
// An HRESULT as messages show it: 0x88890004.
std::wstring HresultText(HRESULT hr);

} // namespace recorder
