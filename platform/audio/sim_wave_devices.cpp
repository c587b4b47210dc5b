#include "platform/audio/sim_wave_devices.h"

#include <algorithm>
#include <vector>

namespace orlane::audio {

struct SimAudioState {
  std::mutex mutex;
  bool outputPresent = true;
  bool inputPresent = true;
  int failOutputOpens = 0;
  int failInputOpens = 0;
  int outputsMade = 0;
  int inputsMade = 0;
  int outputOpens = 0;
  std::vector<SimWaveOut*> outputs;
  std::vector<SimWaveIn*> inputs;

  // Whether an open of this kind may succeed now; counts the attempt.
  bool allowOpen(bool output) {
    std::lock_guard<std::mutex> lock(mutex);
    if (output) ++outputOpens;
    bool& present = output ? outputPresent : inputPresent;
    int& failing = output ? failOutputOpens : failInputOpens;
    if (!present) return false;
    if (failing > 0) {
      --failing;
      return false;
    }
    return true;
  }
};

namespace {

template <typename T>
void Forget(std::shared_ptr<SimAudioState>& system, std::vector<T*> SimAudioState::*list, T* device) {
  if (!system) return;
  std::lock_guard<std::mutex> lock(system->mutex);
  auto& v = (*system).*list;
  v.erase(std::remove(v.begin(), v.end(), device), v.end());
}

void Deliver(const WaveDoneCallback& callback, const std::vector<WaveBuffer*>& buffers) {
  if (!callback) return;
  for (WaveBuffer* b : buffers) callback(b);
}

}  // namespace

// ---- output

SimWaveOut::SimWaveOut(std::shared_ptr<SimAudioState> system) : system_(std::move(system)) {}

SimWaveOut::~SimWaveOut() {
  // Leave the system's list first: a test acting on the device through
  // SimulatedAudio::withLastOutput holds the system's lock, so the device
  // stays whole until that call returns.
  Forget(system_, &SimAudioState::outputs, this);
  close();
}

void SimWaveOut::log(const QString& call) {
  calls_.append(call);
}

WaveStatus SimWaveOut::open(const WaveFormat& format, WaveDoneCallback onDone) {
  std::lock_guard<std::mutex> lock(mutex_);
  if (open_) return WaveStatus::AlreadyOpen;
  if (system_ && !system_->allowOpen(true)) return WaveStatus::NoDevice;
  if (!IsPlayableFormat(format)) return WaveStatus::BadFormat;
  open_ = true;
  paused_ = false;
  format_ = format;
  onDone_ = std::move(onDone);
  log(QStringLiteral("open"));
  return WaveStatus::Ok;
}

WaveStatus SimWaveOut::write(WaveBuffer* buffer) {
  std::lock_guard<std::mutex> lock(mutex_);
  if (!open_) return WaveStatus::NotOpen;
  const WaveStatus status = TakeIntoQueue(buffer);
  if (status != WaveStatus::Ok) return status;
  queue_.push(buffer);
  log(QStringLiteral("write %1").arg(buffer->length));
  return WaveStatus::Ok;
}

WaveStatus SimWaveOut::pause() {
  std::lock_guard<std::mutex> lock(mutex_);
  if (!open_) return WaveStatus::NotOpen;
  paused_ = true;
  log(QStringLiteral("pause"));
  return WaveStatus::Ok;
}

WaveStatus SimWaveOut::restart() {
  std::lock_guard<std::mutex> lock(mutex_);
  if (!open_) return WaveStatus::NotOpen;
  paused_ = false;
  log(QStringLiteral("restart"));
  return WaveStatus::Ok;
}

WaveStatus SimWaveOut::reset() {
  std::vector<WaveBuffer*> returned;
  WaveDoneCallback callback;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    if (!open_) return WaveStatus::NotOpen;
    returned = queue_.takeAll();
    callback = onDone_;
    log(QStringLiteral("reset"));
  }
  Deliver(callback, returned);
  return WaveStatus::Ok;
}

WaveStatus SimWaveOut::positionBytes(quint64* bytes) {
  std::lock_guard<std::mutex> lock(mutex_);
  if (!open_) return WaveStatus::NotOpen;
  *bytes = queue_.played();
  return WaveStatus::Ok;
}

WaveStatus SimWaveOut::close() {
  if (!isOpen()) return WaveStatus::NotOpen;
  reset();
  std::lock_guard<std::mutex> lock(mutex_);
  open_ = false;
  onDone_ = nullptr;
  log(QStringLiteral("close"));
  return WaveStatus::Ok;
}

bool SimWaveOut::isOpen() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return open_;
}

WaveFormat SimWaveOut::format() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return format_;
}

quint64 SimWaveOut::play(quint64 bytes) {
  std::vector<WaveBuffer*> done;
  WaveDoneCallback callback;
  quint64 n = 0;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    if (!open_ || paused_) return 0;
    n = std::min(bytes, queue_.pendingBytes());
    // Keep the bytes played, for tests that compare content.
    QByteArray chunk(static_cast<qsizetype>(n), '\0');
    queue_.copyPending(chunk.data(), static_cast<quint32>(n));
    played_.append(chunk);
    queue_.advanceWritten(n);
    done = queue_.markPlayed(queue_.written());
    callback = onDone_;
  }
  Deliver(callback, done);
  return n;
}

QByteArray SimWaveOut::playedBytes() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return played_;
}

std::size_t SimWaveOut::queuedCount() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return queue_.size();
}

bool SimWaveOut::paused() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return paused_;
}

QStringList SimWaveOut::calls() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return calls_;
}

// ---- input

SimWaveIn::SimWaveIn(std::shared_ptr<SimAudioState> system) : system_(std::move(system)) {}

SimWaveIn::~SimWaveIn() {
  Forget(system_, &SimAudioState::inputs, this);
  close();
}

void SimWaveIn::log(const QString& call) {
  calls_.append(call);
}

WaveStatus SimWaveIn::open(const WaveFormat& format, WaveDoneCallback onDone) {
  std::lock_guard<std::mutex> lock(mutex_);
  if (open_) return WaveStatus::AlreadyOpen;
  if (system_ && !system_->allowOpen(false)) return WaveStatus::NoDevice;
  if (!IsPlayableFormat(format)) return WaveStatus::BadFormat;
  open_ = true;
  started_ = false;
  format_ = format;
  onDone_ = std::move(onDone);
  log(QStringLiteral("open"));
  return WaveStatus::Ok;
}

WaveStatus SimWaveIn::addBuffer(WaveBuffer* buffer) {
  std::lock_guard<std::mutex> lock(mutex_);
  if (!open_) return WaveStatus::NotOpen;
  if (failAdds_ > 0) {
    --failAdds_;
    return WaveStatus::DeviceError;
  }
  const WaveStatus status = TakeIntoQueue(buffer);
  if (status != WaveStatus::Ok) return status;
  queue_.push(buffer);
  log(QStringLiteral("add %1").arg(buffer->length));
  return WaveStatus::Ok;
}

WaveStatus SimWaveIn::start() {
  std::lock_guard<std::mutex> lock(mutex_);
  if (!open_) return WaveStatus::NotOpen;
  if (failStarts_ > 0) {
    --failStarts_;
    return WaveStatus::DeviceError;
  }
  started_ = true;
  log(QStringLiteral("start"));
  return WaveStatus::Ok;
}

WaveStatus SimWaveIn::stop() {
  std::vector<WaveBuffer*> returned;
  WaveDoneCallback callback;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    if (!open_) return WaveStatus::NotOpen;
    started_ = false;
    returned = queue_.finishCurrent();
    callback = onDone_;
    log(QStringLiteral("stop"));
  }
  Deliver(callback, returned);
  return WaveStatus::Ok;
}

WaveStatus SimWaveIn::reset() {
  std::vector<WaveBuffer*> returned;
  WaveDoneCallback callback;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    if (!open_) return WaveStatus::NotOpen;
    started_ = false;
    returned = queue_.takeAll();
    callback = onDone_;
    log(QStringLiteral("reset"));
  }
  Deliver(callback, returned);
  return WaveStatus::Ok;
}

WaveStatus SimWaveIn::positionBytes(quint64* bytes) {
  std::lock_guard<std::mutex> lock(mutex_);
  if (!open_) return WaveStatus::NotOpen;
  *bytes = queue_.recorded();
  return WaveStatus::Ok;
}

WaveStatus SimWaveIn::close() {
  if (!isOpen()) return WaveStatus::NotOpen;
  reset();
  std::lock_guard<std::mutex> lock(mutex_);
  open_ = false;
  onDone_ = nullptr;
  log(QStringLiteral("close"));
  return WaveStatus::Ok;
}

bool SimWaveIn::isOpen() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return open_;
}

WaveFormat SimWaveIn::format() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return format_;
}

quint32 SimWaveIn::feed(const QByteArray& samples) {
  std::vector<WaveBuffer*> full;
  WaveDoneCallback callback;
  quint32 dropped = 0;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    if (!open_ || !started_) return 0;
    full = queue_.fill(samples.constData(), static_cast<quint32>(samples.size()), &dropped);
    callback = onDone_;
  }
  Deliver(callback, full);
  return static_cast<quint32>(samples.size()) - dropped;
}

std::size_t SimWaveIn::queuedCount() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return queue_.size();
}

bool SimWaveIn::started() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return started_;
}

QStringList SimWaveIn::calls() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return calls_;
}

void SimWaveIn::failAdds(int count) {
  std::lock_guard<std::mutex> lock(mutex_);
  failAdds_ = count;
}

void SimWaveIn::failStarts(int count) {
  std::lock_guard<std::mutex> lock(mutex_);
  failStarts_ = count;
}

// ---- the installed system

namespace {
// Makes a simulated device of the system (while it is alive) and counts it there.
template <typename Base, typename Device>
std::function<std::unique_ptr<Base>()> DeviceMaker(const std::weak_ptr<SimAudioState>& weak,
                                                   std::vector<Device*> SimAudioState::*made,
                                                   int SimAudioState::*count) {
  return [weak, made, count]() -> std::unique_ptr<Base> {
    auto state = weak.lock();
    auto device = std::make_unique<Device>(state);
    if (state) {
      std::lock_guard<std::mutex> lock(state->mutex);
      ((*state).*made).push_back(device.get());
      ++((*state).*count);
    }
    return device;
  };
}
}  // namespace

SimulatedAudio::SimulatedAudio()
    : state_(std::make_shared<SimAudioState>()),
      makeOut_(&Services::makeWaveOut,
               DeviceMaker<WaveOut>(state_, &SimAudioState::outputs, &SimAudioState::outputsMade)),
      makeIn_(&Services::makeWaveIn, DeviceMaker<WaveIn>(state_, &SimAudioState::inputs, &SimAudioState::inputsMade)) {}

void SimulatedAudio::setOutputPresent(bool present) {
  std::lock_guard<std::mutex> lock(state_->mutex);
  state_->outputPresent = present;
}

void SimulatedAudio::setInputPresent(bool present) {
  std::lock_guard<std::mutex> lock(state_->mutex);
  state_->inputPresent = present;
}

void SimulatedAudio::failOutputOpens(int count) {
  std::lock_guard<std::mutex> lock(state_->mutex);
  state_->failOutputOpens = count;
}

void SimulatedAudio::failInputOpens(int count) {
  std::lock_guard<std::mutex> lock(state_->mutex);
  state_->failInputOpens = count;
}

SimWaveOut* SimulatedAudio::lastOutput() const {
  std::lock_guard<std::mutex> lock(state_->mutex);
  return state_->outputs.empty() ? nullptr : state_->outputs.back();
}

bool SimulatedAudio::withLastOutput(const std::function<void(SimWaveOut*)>& act) const {
  std::lock_guard<std::mutex> lock(state_->mutex);
  if (state_->outputs.empty()) return false;
  act(state_->outputs.back());
  return true;
}

SimWaveIn* SimulatedAudio::lastInput() const {
  std::lock_guard<std::mutex> lock(state_->mutex);
  return state_->inputs.empty() ? nullptr : state_->inputs.back();
}

int SimulatedAudio::outputsMade() const {
  std::lock_guard<std::mutex> lock(state_->mutex);
  return state_->outputsMade;
}

int SimulatedAudio::inputsMade() const {
  std::lock_guard<std::mutex> lock(state_->mutex);
  return state_->inputsMade;
}

int SimulatedAudio::outputOpens() const {
  std::lock_guard<std::mutex> lock(state_->mutex);
  return state_->outputOpens;
}

int SimulatedAudio::liveOutputs() const {
  std::lock_guard<std::mutex> lock(state_->mutex);
  return static_cast<int>(state_->outputs.size());
}

}  // namespace orlane::audio
