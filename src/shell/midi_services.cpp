#include "shell/midi_services.h"

#include <QActionGroup>
#include <QFile>
#include <QFileDialog>
#include <QMetaObject>
#include <QTimer>
#include <QToolBar>
#include <QVBoxLayout>

#include "platform/midi_devices.h"
#include "platform/rtmidi_ports.h"
#include "shell/command_bridge.h"
#include "shell/main_frame.h"
#include "shell/qt_platform.h"

namespace ts::shell {
namespace {

constexpr int kInputRetryMilliseconds = 10;  // message 400 again while the engine has not taken the last event
constexpr const char* kFinished = "Finished.";
constexpr const char* kStopped = "Stopped.";

std::vector<uint8_t> readWholeFile(const std::string& name) {
  QFile file(QString::fromStdString(name));
  if (!file.open(QIODevice::ReadOnly) || file.size() > static_cast<qint64>(kLargestMidiFile)) return {};
  const QByteArray bytes = file.readAll();
  return std::vector<uint8_t>(bytes.begin(), bytes.end());
}

}  // namespace

MidiPlayerWindow::MidiPlayerWindow(MidiPlayer& player, CommandBridge& bridge)
    : QWidget(nullptr, Qt::Window), m_player(player), m_bridge(bridge) {
  setObjectName(QString::fromLatin1(kPlayerWindowClass));
  auto* layout = new QVBoxLayout(this);
  auto* tools = new QToolBar(this);
  tools->addAction(QStringLiteral("Play again."), this, &MidiPlayerWindow::playAgain);
  tools->addAction(QStringLiteral("Pause MIDI"), this, &MidiPlayerWindow::pauseOrResume);
  tools->addAction(QStringLiteral("Stop"), this, &MidiPlayerWindow::stop);
  tools->addAction(QStringLiteral("Open..."), this, &MidiPlayerWindow::openFile);
  layout->addWidget(tools);
  m_status = new QLabel(this);
  layout->addWidget(m_status);
  setWindowTitle(QString::fromStdString(m_player.windowTitle()));
}

void MidiPlayerWindow::showPlaying(const MidiPlayback& playback) {
  setWindowTitle(QString::fromStdString(m_player.windowTitle()));
  m_status->setText(QString::fromStdString(playback.played ? player_messages::kPlaying : playback.message));
  show();
  raise();
}

void MidiPlayerWindow::done(const SequencerNotice& notice) {
  m_status->setText(QString::fromLatin1(m_player.onDone(notice) ? kFinished : kStopped));
}

void MidiPlayerWindow::playAgain() { showPlaying(m_player.playAgain()); }

void MidiPlayerWindow::openFile() {
  const QString name = QFileDialog::getOpenFileName(this, QStringLiteral("Open"), {}, QString::fromLatin1(kMidiFileFilter));
  if (!name.isEmpty()) showPlaying(m_player.playFile(name.toStdString()));
}

void MidiPlayerWindow::pauseOrResume() { control(PlaybackControl::PauseOrResume); }

std::string MidiPlayerWindow::control(PlaybackControl control) {
  const std::string answer = m_player.control(control);
  m_status->setText(QString::fromStdString(answer));
  return answer;
}

void MidiPlayerWindow::stop() {
  control(PlaybackControl::Stop);
  m_bridge.sendCommand(kStopCommand);
}

MidiServices::MidiServices(QWidget& mainWindow, CommandBridge& bridge) : m_mainWindow(mainWindow) {
  // The notice comes from the stream's thread; the window takes it on its own.
  auto post = [this](const SequencerNotice& notice) {
    MidiPlayerWindow* window = m_window.get();
    if (window) QMetaObject::invokeMethod(window, [window, notice] { window->done(notice); }, Qt::QueuedConnection);
  };
  m_player = std::make_unique<MidiPlayer>(midiOutputDevices(), post, readWholeFile);
  m_window = std::make_unique<MidiPlayerWindow>(*m_player, bridge);
}

MidiPlayback QtShellPlatform::playMidiFile(std::string_view fileName, std::span<const uint8_t> image) {
  return m_frame.midi().play(fileName, image);
}

std::optional<std::string> QtShellPlatform::controlPlayback(PlaybackControl control) {
  return m_frame.midi().window().control(control);
}

bool QtShellPlatform::startMidiInput() { return m_frame.midi().startKeyboard(); }
std::optional<MidiKeyboardEvent> QtShellPlatform::takeMidiInput() { return m_frame.midi().takeKeyboardEvent(); }
void QtShellPlatform::stopMidiInput() { m_frame.midi().stopKeyboard(); }

MidiServices::~MidiServices() {
  m_input.reset();
  m_player.reset();
}

MidiPlayback MidiServices::play(std::string_view fileName, std::span<const uint8_t> image) {
  const MidiPlayback playback = m_player->play(std::string(fileName), image);
  m_window->showPlaying(playback);
  return playback;
}

void MidiServices::addDeviceMenu(QMenu& output) {
  QMenu* devices = output.addMenu(QStringLiteral("MIDI &Output Device"));
  auto* group = new QActionGroup(devices);
  const std::vector<std::string> names = m_player->deviceNames();
  for (size_t number = 0; number < names.size(); ++number) {
    QAction* entry = devices->addAction(QString::fromStdString(names[number]));
    entry->setData(kMidiDeviceMenuBase + static_cast<int>(number));
    entry->setCheckable(true);
    entry->setChecked(static_cast<int>(number) == m_player->device());
    group->addAction(entry);
    QObject::connect(entry, &QAction::triggered, devices, [this, number] { m_player->chooseDevice(static_cast<int>(number)); });
  }
}

std::vector<std::string> MidiServices::openInputs() {
  m_inputDevices = std::make_unique<RtMidiInputDevices>();
  m_input = std::make_unique<MidiInput>(*m_inputDevices, [this] {
    QMetaObject::invokeMethod(&m_mainWindow, [this] { takeInput(); }, Qt::QueuedConnection);
  });
  return m_input->openAll();
}

bool MidiServices::startKeyboard() {
  if (!m_input || !m_input->available()) return false;
  m_input->setInputMode(true);
  return true;
}

std::optional<MidiKeyboardEvent> MidiServices::takeKeyboardEvent() {
  if (!m_input || !m_input->last().busy) return std::nullopt;
  LastMidiInput& last = m_input->last();
  MidiKeyboardEvent event;
  event.kind = MidiKeyboardEvent::Kind::Message;
  event.message = last.message;
  event.milliseconds = last.timestamp;
  last.busy = false;
  takeInput();  // the next event waiting in the buffer, if any, into the record
  return event;
}

void MidiServices::stopKeyboard() {
  if (m_input) m_input->setInputMode(false);
}

void MidiServices::takeInput() {
  if (m_input && m_input->onMessage()) QTimer::singleShot(kInputRetryMilliseconds, &m_mainWindow, [this] { takeInput(); });
}

}  // namespace ts::shell
