// The program's ties to the world outside its own data, in one object: the
// clock, the desktop's opener, the sound devices, the answering of modal
// windows and the login; and the little the whole process shares: the user
// folder, the accepted password and the holiday files read so far. An empty
// member means the real thing: the system clock, the desktop's handler, ALSA,
// a person at the keyboard.
//
// main() builds the object and installs it once, before anything runs; the
// test main installs the tests' own. What takes a parameter gets its part
// handed down (the login goes to the application object); code deep in the
// libraries reads the installed object through Service(). A test changes one
// member with SetService, or for a scope with ScopedService.
//
// The windows' members take types of the layers above (the modal request of
// controls/), named here by declaration only; main() fills them in.
#pragma once

#include <QByteArray>
#include <QString>
#include <QtGlobal>

#include <functional>
#include <memory>
#include <mutex>
#include <type_traits>
#include <utility>

class QUrl;
class QWidget;

namespace orlane {

struct ModalRequest;         // controls/modal_responder.h
enum class AtomicWriteStep;  // platform/file_io.h
class HolidayCache;          // calendar/holiday_file.cpp
struct WaitState;            // controls/wait_dlg.cpp
struct RecurringParseCache;  // reminders/day_search.cpp

namespace audio {
class WavePlayer;
class WaveOut;
class WaveIn;
class MixerControl;
enum class MixerLine;
}  // namespace audio

struct Services {
  // Milliseconds since the Unix epoch.
  std::function<qint64()> clockMs;
  // Hands an address to the desktop ("open" verb); true when it was handed over.
  std::function<bool(const QUrl&)> openUrl;
  // The sound devices and the mixer.
  std::function<std::unique_ptr<audio::WaveOut>()> makeWaveOut;
  std::function<std::unique_ptr<audio::WaveIn>()> makeWaveIn;
  std::function<std::unique_ptr<audio::MixerControl>(audio::MixerLine)> makeMixerControl;
  std::function<bool()> selectMicrophone;
  // Picks the button of every modal window by its control id; empty: a person does.
  std::function<int(const ModalRequest&)> answerModal;
  // Runs the login (at start-up, when the hidden window is shown); true when a
  // password was accepted or a first one set. Empty: nobody is asked.
  std::function<bool(int theme, QWidget* owner)> login;
  // The folder holding "skin/<theme>.bmp"; empty: the program's data folders.
  QString skinFolder;
  // For tests of failed writes: true makes that step of an atomic write fail.
  std::function<bool(AtomicWriteStep)> failWriteStep;

  // The user folder, ending in '/' (platform/app_paths.h).
  QString userFolder;
  // The accepted password and whether start-up took it from the user file
  // without asking (security/session.h).
  QByteArray password;
  bool loginPending = false;
  // The holiday files read so far; made at the first lookup.
  std::shared_ptr<HolidayCache> holidays;
  // The "Please Wait..." window of the operation running (one at a time).
  std::shared_ptr<WaitState> wait;
  // The recurring file as the last search parsed it.
  std::shared_ptr<RecurringParseCache> recurringParse;
  // The player of the reminder beep. Last: the members go in reverse order,
  // so its thread, which may still be making a device at the end, finds the
  // device makers above alive while it is joined.
  std::shared_ptr<audio::WavePlayer> wavePlayer;
};

// Installs the services everything reads from now on. Called once, by main()
// and by the test main, before anything else.
void InstallServices(Services services);

namespace services_detail {
std::mutex& Lock();
Services& Installed();

// Service() hands out copies; a callable a test sets is shared by them, so
// one that keeps state (a counter, a mutable lambda) keeps it across calls.
template <typename T>
T Shared(T value) {
  return value;
}
template <typename R, typename... A>
std::function<R(A...)> Shared(std::function<R(A...)> f) {
  if (!f) return f;
  auto one = std::make_shared<std::function<R(A...)>>(std::move(f));
  return [one](A... args) -> R { return (*one)(std::forward<A>(args)...); };
}
}  // namespace services_detail

// One member of the installed services, copied under their lock (sound
// device threads read them too); call the copy, not under the lock.
template <typename T>
T Service(T Services::*member) {
  const std::lock_guard<std::mutex> lock(services_detail::Lock());
  return services_detail::Installed().*member;
}

// A part of the installed services made at its first use (a cache), shared
// by every caller from then on.
template <typename T>
std::shared_ptr<T> MadeService(std::shared_ptr<T> Services::*member) {
  const std::lock_guard<std::mutex> lock(services_detail::Lock());
  std::shared_ptr<T>& part = services_detail::Installed().*member;
  if (!part) part = std::make_shared<T>();
  return part;
}

// Sets one member of the installed services (tests; a fixture's TearDown puts
// it back, or ScopedService does it by itself).
template <typename T>
void SetService(T Services::*member, std::type_identity_t<T> value) {
  value = services_detail::Shared(std::move(value));
  const std::lock_guard<std::mutex> lock(services_detail::Lock());
  services_detail::Installed().*member = std::move(value);
}

// Replaces one member of the installed services while it lives and puts the
// earlier value back when it goes (tests).
template <typename T>
class ScopedService final {
 public:
  ScopedService(T Services::*member, T value) : member_(member) {
    value = services_detail::Shared(std::move(value));
    const std::lock_guard<std::mutex> lock(services_detail::Lock());
    previous_ = std::exchange(services_detail::Installed().*member_, std::move(value));
  }
  ~ScopedService() {
    const std::lock_guard<std::mutex> lock(services_detail::Lock());
    services_detail::Installed().*member_ = std::move(previous_);
  }
  ScopedService(const ScopedService&) = delete;
  ScopedService& operator=(const ScopedService&) = delete;

 private:
  T Services::*member_;
  T previous_;
};

template <typename T, typename V>
ScopedService(T Services::*, V) -> ScopedService<T>;

}  // namespace orlane
