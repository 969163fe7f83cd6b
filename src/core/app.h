#pragma once

// The program-wide references to the windows and the data module, created
// once at start-up in this order and reused until the program ends. They live
// in a namespace because several names (log, main) clash with the standard library.

class Tlogin;
class Tserver;
class Tdm;
class Tmain;
class Tchange_pass;
class Tusers;
class Tlog;
class Tsetting;
class Tbackup;
class Tpayam;
class Tzamaem;
class Tphone;
class Tkhodro_src;
class Tkhodro_ins;
class Tpersonel_src;
class Tpersonel_ins;
class Ttaradod_src;
class Ttaradod_ins;
class TPERSONEL_PIC;
class Tpersonel_frm_darkhastkar;
class Tpersonel_frm_morakhasi;
class Tpersonel_frm_madarek;
class Tpersonel_frm_arzyabi;
class Tkhodro_frm_sokht;
class Tkhodro_frm_khalafi;
class Tkhodro_frm_arzyabi;
class Ttaradod_frm_dakhel;
class Ttaradod_frm_kharej;
class Ttaradod_frm_rozane_kharej;
class Ttaradod_frm_rozane_dakhel;
class Ttaradod_frm_kharej_new;
class Ttaradod_frm_riyali;

namespace app {
inline Tlogin *login = nullptr;
inline Tserver *server = nullptr;
inline Tdm *dm = nullptr;
inline Tmain *main = nullptr;
inline Tchange_pass *change_pass = nullptr;
inline Tusers *users = nullptr;
inline Tlog *log = nullptr;
inline Tsetting *setting = nullptr;
inline Tbackup *backup = nullptr;
inline Tpayam *payam = nullptr;
inline Tzamaem *zamaem = nullptr;
inline Tphone *phone = nullptr;
inline Tkhodro_src *khodro_src = nullptr;
inline Tkhodro_ins *khodro_ins = nullptr;
inline Tpersonel_src *personel_src = nullptr;
inline Tpersonel_ins *personel_ins = nullptr;
inline Ttaradod_src *taradod_src = nullptr;
inline Ttaradod_ins *taradod_ins = nullptr;
inline TPERSONEL_PIC *PERSONEL_PIC = nullptr;
inline Tpersonel_frm_darkhastkar *personel_frm_darkhastkar = nullptr;
inline Tpersonel_frm_morakhasi *personel_frm_morakhasi = nullptr;
inline Tpersonel_frm_madarek *personel_frm_madarek = nullptr;
inline Tpersonel_frm_arzyabi *personel_frm_arzyabi = nullptr;
inline Tkhodro_frm_sokht *khodro_frm_sokht = nullptr;
inline Tkhodro_frm_khalafi *khodro_frm_khalafi = nullptr;
inline Tkhodro_frm_arzyabi *khodro_frm_arzyabi = nullptr;
inline Ttaradod_frm_dakhel *taradod_frm_dakhel = nullptr;
inline Ttaradod_frm_kharej *taradod_frm_kharej = nullptr;
inline Ttaradod_frm_rozane_kharej *taradod_frm_rozane_kharej = nullptr;
inline Ttaradod_frm_rozane_dakhel *taradod_frm_rozane_dakhel = nullptr;
inline Ttaradod_frm_kharej_new *taradod_frm_kharej_new = nullptr;
inline Ttaradod_frm_riyali *taradod_frm_riyali = nullptr;

// Creates the 32 objects in their fixed order; none does any work while it is
// created. The login window, created first, is the application's main window.
void createAll();
// Deletes them again (tests create a fresh set per case).
void destroyAll();
} // namespace app
