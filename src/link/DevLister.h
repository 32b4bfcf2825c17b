#pragma once
// The serial ports present on this machine, read from sysfs (/sys/class/tty):
// USB adapters (ttyUSB*), USB modems and CDC adapters (ttyACM*), built-in
// UARTs that really exist (ttyS* with a known UART type) and Bluetooth RFCOMM
// links (rfcomm*). Each device gets a stable COM number (see NumeriCom.h) and
// a Windows-style friendly name ending in "(COMn)", so the port list is built
// from names exactly as the connect procedure expects.
// The list built from it (ListaPorte, ElencaPorteCom, PortCom.ini) is in
// ModMainPorte.h.
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

// One present serial device.
class DevInfo_Storage {
public:
    int32_t Info_DevInst = 0;          // position in the listing, from 0
    std::string Info_ClassGUID;        // the device class name, "Ports"
    std::string SPDRP_DEVICEDESC;      // kind of port, e.g. "USB Serial Port"
    std::string SPDRP_FRIENDLYNAME;    // description, device and "(COMn)"
    std::string SPDRP_CLASS;           // "Ports"
    std::string NomeDispositivo;       // "ttyUSB0"
    std::string PercorsoDispositivo;   // "/dev/ttyUSB0"

    // Friendly name, or the description when the friendly name is empty.
    std::string GetName() const;
    // The digits after the first "(COM" of the name, or -1.
    int32_t GetIDCOM() const;
    // True when the name contains "bluetooth" in any letter case.
    bool isBluetoothCOM() const;
};

// Lister of the present devices of one class. Operations return "OK" or an
// error text.
class DevLister {
public:
    // Folder read for the devices; tests point it at a fixture folder.
    inline static std::string RadiceSysfs = "/sys/class/tty";

    int32_t ListCount() const;
    // Position from 1 to ListCount.
    const DevInfo_Storage& Item(int32_t posizione) const;

    // Classes known under a name: only "Ports" (the serial ports) exists;
    // any other name gives "Incorrect class name".
    std::string GetGUIDByName(const std::string& nome, std::vector<std::string>& classi) const;
    // Adds one device per present port of the class (of every class when the
    // class is empty). A device one of whose properties cannot be read is left
    // out; the others are still listed. An unreadable sysfs folder gives
    // "(BAD HANDLE) " and the system's error text.
    std::string AddToList(const std::string& classe);
    // Device path -> COM number given in VirUzo.ini; these win over the
    // numbers derived from the device names.
    void ImpostaNumeriAssegnati(std::map<std::string, int32_t> numeri);

    // The text up to its first NUL, or the whole text.
    static std::string StrTrimToNull(const std::string& testo);

private:
    std::vector<std::unique_ptr<DevInfo_Storage>> Elenco;
    std::map<std::string, int32_t> NumeriAssegnati;
};
