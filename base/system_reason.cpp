#include "base/system_reason.h"

#include <cerrno>

#include "base/text.h"

namespace qrn {

std::u16string systemReason(int error) {
    // One line a reason: the switch reads as a table.
    // clang-format off
    switch (error) {
        case ENOSPC: return u"plus de place sur le disque";
        case EDQUOT: return u"quota disque dépassé";
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
        case ESTALE: return u"fichier réseau périmé";
        default: return u"erreur système " + decimal(error);
    }
    // clang-format on
}

std::u16string withSystemReason(std::u16string_view what, int error) {
    return std::u16string(what) + u" (" + systemReason(error) + u")";
}

}  // namespace qrn
