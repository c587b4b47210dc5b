// The registry key wrapper over the program's file-backed key/value store
// (~/.config/orlane/registry.json). It holds at most one open key; opening
// another closes the first. Failures go to the error log as the program words
// them. Values written under the Run key also become XDG autostart entries, so
// "start with the desktop" really happens.
#pragma once

#include <QByteArray>
#include <QString>

namespace orlane {

enum class RegistryRoot { LocalMachine, CurrentUser };

inline constexpr char kRunKeyPath[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
inline constexpr char kVendorKeyPrefix[] = "SOFTWARE\\Brenvik\\";

class CRegistryKey final {
 public:
  CRegistryKey() = default;
  ~CRegistryKey() { Close(); }
  CRegistryKey(const CRegistryKey&) = delete;
  CRegistryKey& operator=(const CRegistryKey&) = delete;

  // Creates the key when missing. 1 on success; on failure logs
  // "Can not open registry<subkey>." and holds no key.
  int Open(RegistryRoot root, const QString& subkey);
  // A string value of the first `length` bytes of text. Failures are not logged.
  int SetString(const QString& name, const QByteArray& text, int length);
  int SetBinary(const QString& name, const QByteArray& bytes, int length);
  int GetValue(const QString& name, QByteArray& out);
  // 1 when the value was there and is gone; failures are not logged.
  int DeleteValue(const QString& name);
  void Close();

  bool isOpen() const { return !keyPath_.isEmpty(); }

 private:
  QString keyPath_;  // "HKEY_...\\sub\\key" while open
};

// A value of the program's own key ("InstallPath", "VendorUrl"), or an empty
// text. Read without logging, because the error log itself asks for it.
QString ReadProgramValue(const QString& name);
QString ReadInstallPath();

// The file that holds the store.
QString RegistryStorePath();

// The XDG autostart entry that mirrors a Run value of this name.
QString AutostartEntryPath(const QString& valueName);

}  // namespace orlane
