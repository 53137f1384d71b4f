#include "base/system_reason.h"

#include <cerrno>

#include "base/text.h"

namespace qrn {

std::u16string systemReason(int error) {
    // One line a reason: the switch reads as a table.
    // clang-format off
    switch (error) {
        case ENOSPC: return u"plus de place sur le disque";
#ifdef EDQUOT  // not every C library has it
        case EDQUOT: return u"quota disque dépassé";
#endif
        case EFBIG: return u"fichier trop grand pour ce système de fichiers";
        case EACCES:
        case EPERM: return u"permission refusée";
        case ENOENT: return u"fichier ou dossier introuvable";
        case ENOTDIR: return u"un élément du chemin n'est pas un dossier";
        case EISDIR: return u"c'est un dossier";
        case EEXIST: return u"le fichier existe déjà";
        case EROFS: return u"système de fichiers en lecture seule";
        case EIO: return u"erreur d'entrée-sortie";
        case ENAMETOOLONG: return u"nom de fichier trop long";
        case ELOOP: return u"trop de liens symboliques";
        case EMFILE:
        case ENFILE: return u"trop de fichiers ouverts";
        case ENOMEM: return u"mémoire insuffisante";
        case EBUSY: return u"ressource occupée";
        case ETXTBSY: return u"fichier en cours d'utilisation";
        case EXDEV: return u"déplacement entre deux systèmes de fichiers impossible";
        case EINTR: return u"opération interrompue";
        case EAGAIN: return u"ressource temporairement indisponible";
        case EINVAL: return u"argument invalide";
        case ENXIO: return u"périphérique absent";
        case ENODEV: return u"périphérique inconnu";
        case EPIPE: return u"tube fermé";
#ifdef ESTALE
        case ESTALE: return u"fichier réseau périmé";
#endif
        default: return u"erreur système " + decimal(error);
    }
    // clang-format on
}

std::u16string withSystemReason(std::u16string_view what, int error) {
    return std::u16string(what) + u" (" + systemReason(error) + u")";
}

std::u16string windowsReason(unsigned long code) {
    // The codes' numbers are the system's (winerror.h); this folder does not include it.
    // clang-format off
    switch (code) {
        case 2: return u"fichier introuvable";                                  // FILE_NOT_FOUND
        case 3: return u"chemin introuvable";                                   // PATH_NOT_FOUND
        case 4: return u"trop de fichiers ouverts";                        // TOO_MANY_OPEN_FILES
        case 5: return u"accès refusé";                                         // ACCESS_DENIED
        case 8:
        case 14: return u"mémoire insuffisante";                               // (NOT_ENOUGH|OUT_OF)MEMORY
        case 15: return u"lecteur introuvable";                                 // INVALID_DRIVE
        case 17: return u"déplacement entre deux lecteurs impossible";          // NOT_SAME_DEVICE
        case 19: return u"support protégé en écriture";                         // WRITE_PROTECT
        case 21: return u"périphérique non prêt";                               // NOT_READY
        case 23: return u"erreur de données sur le disque";                     // CRC
        case 32: return u"le fichier est utilisé par un autre programme";       // SHARING_VIOLATION
        case 33: return u"le fichier est verrouillé par un autre programme";    // LOCK_VIOLATION
        case 39:
        case 112: return u"plus de place sur le disque";                        // (HANDLE_)DISK_FULL
        case 53:
        case 67: return u"chemin réseau introuvable";                 // BAD_NETPATH, BAD_NET_NAME
        case 80:
        case 183: return u"le fichier existe déjà";                     // FILE_EXISTS, ALREADY_EXISTS
        case 87: return u"argument invalide";                                   // INVALID_PARAMETER
        case 123: return u"nom de fichier, de dossier ou de volume incorrect";  // INVALID_NAME
        case 206: return u"nom de fichier trop long";                           // FILENAME_EXCED_RANGE
        case 267: return u"ce n'est pas un dossier";                            // DIRECTORY
        case 1117: return u"erreur d'entrée-sortie";                            // IO_DEVICE
        case 1224: return u"le fichier est ouvert en mémoire par un autre programme"; // USER_MAPPED_FILE
        case 1314: return u"privilège requis";                                  // PRIVILEGE_NOT_HELD
        case 1392: return u"fichier endommagé";                                 // FILE_CORRUPT
        case 1450: return u"ressources système insuffisantes";                  // NO_SYSTEM_RESOURCES
        default: return u"erreur système Windows " + decimal(static_cast<long long>(code));
    }
    // clang-format on
}

std::u16string withWindowsReason(std::u16string_view what, unsigned long code) {
    return std::u16string(what) + u" (" + windowsReason(code) + u")";
}

}  // namespace qrn
