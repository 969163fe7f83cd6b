#include "app.h"
#include "dm_u.h"
#include "login_u.h"
#include "server_u.h"
#include "main_u.h"
#include "change_pass_u.h"
#include "admin/users_u.h"
#include "office/log_u.h"
#include "admin/setting_u.h"
#include "office/backup_u.h"
#include "office/payam_u.h"
#include "office/zamaem_u.h"
#include "office/phone_u.h"
#include "vehicles/khodro_src_u.h"
#include "vehicles/khodro_ins_u.h"
#include "personnel/personel_src_u.h"
#include "personnel/personel_ins_u.h"
#include "trips/taradod_src_u.h"
#include "trips/taradod_ins_u.h"
#include "personnel/PERSONEL_PIC_u.h"
#include "personnel/personel_frm_darkhastkar_u.h"
#include "personnel/personel_frm_morakhasi_u.h"
#include "personnel/personel_frm_madarek_u.h"
#include "personnel/personel_frm_arzyabi_u.h"
#include "vehicles/khodro_frm_sokht_u.h"
#include "vehicles/khodro_frm_khalafi_u.h"
#include "vehicles/khodro_frm_arzyabi_u.h"
#include "trips/taradod_frm_dakhel_u.h"
#include "trips/taradod_frm_kharej_u.h"
#include "trips/taradod_frm_rozane_kharej_u.h"
#include "trips/taradod_frm_rozane_dakhel_u.h"
#include "trips/taradod_frm_kharej_new_u.h"
#include "trips/taradod_frm_riyali_u.h"

namespace app {

void createAll()
{
    login = new Tlogin;
    server = new Tserver;
    dm = new Tdm;
    main = new Tmain;
    change_pass = new Tchange_pass;
    users = new Tusers;
    log = new Tlog;
    setting = new Tsetting;
    backup = new Tbackup;
    payam = new Tpayam;
    zamaem = new Tzamaem;
    phone = new Tphone;
    khodro_src = new Tkhodro_src;
    khodro_ins = new Tkhodro_ins;
    personel_src = new Tpersonel_src;
    personel_ins = new Tpersonel_ins;
    taradod_src = new Ttaradod_src;
    taradod_ins = new Ttaradod_ins;
    PERSONEL_PIC = new TPERSONEL_PIC;
    personel_frm_darkhastkar = new Tpersonel_frm_darkhastkar;
    personel_frm_morakhasi = new Tpersonel_frm_morakhasi;
    personel_frm_madarek = new Tpersonel_frm_madarek;
    personel_frm_arzyabi = new Tpersonel_frm_arzyabi;
    khodro_frm_sokht = new Tkhodro_frm_sokht;
    khodro_frm_khalafi = new Tkhodro_frm_khalafi;
    khodro_frm_arzyabi = new Tkhodro_frm_arzyabi;
    taradod_frm_dakhel = new Ttaradod_frm_dakhel;
    taradod_frm_kharej = new Ttaradod_frm_kharej;
    taradod_frm_rozane_kharej = new Ttaradod_frm_rozane_kharej;
    taradod_frm_rozane_dakhel = new Ttaradod_frm_rozane_dakhel;
    taradod_frm_kharej_new = new Ttaradod_frm_kharej_new;
    taradod_frm_riyali = new Ttaradod_frm_riyali;
}

void destroyAll()
{
    delete taradod_frm_riyali;
    taradod_frm_riyali = nullptr;
    delete taradod_frm_kharej_new;
    taradod_frm_kharej_new = nullptr;
    delete taradod_frm_rozane_dakhel;
    taradod_frm_rozane_dakhel = nullptr;
    delete taradod_frm_rozane_kharej;
    taradod_frm_rozane_kharej = nullptr;
    delete taradod_frm_kharej;
    taradod_frm_kharej = nullptr;
    delete taradod_frm_dakhel;
    taradod_frm_dakhel = nullptr;
    delete khodro_frm_arzyabi;
    khodro_frm_arzyabi = nullptr;
    delete khodro_frm_khalafi;
    khodro_frm_khalafi = nullptr;
    delete khodro_frm_sokht;
    khodro_frm_sokht = nullptr;
    delete personel_frm_arzyabi;
    personel_frm_arzyabi = nullptr;
    delete personel_frm_madarek;
    personel_frm_madarek = nullptr;
    delete personel_frm_morakhasi;
    personel_frm_morakhasi = nullptr;
    delete personel_frm_darkhastkar;
    personel_frm_darkhastkar = nullptr;
    delete PERSONEL_PIC;
    PERSONEL_PIC = nullptr;
    delete taradod_ins;
    taradod_ins = nullptr;
    delete taradod_src;
    taradod_src = nullptr;
    delete personel_ins;
    personel_ins = nullptr;
    delete personel_src;
    personel_src = nullptr;
    delete khodro_ins;
    khodro_ins = nullptr;
    delete khodro_src;
    khodro_src = nullptr;
    delete phone;
    phone = nullptr;
    delete zamaem;
    zamaem = nullptr;
    delete payam;
    payam = nullptr;
    delete backup;
    backup = nullptr;
    delete setting;
    setting = nullptr;
    delete log;
    log = nullptr;
    delete users;
    users = nullptr;
    delete change_pass;
    change_pass = nullptr;
    delete main;
    main = nullptr;
    delete dm;
    dm = nullptr;
    delete server;
    server = nullptr;
    delete login;
    login = nullptr;
}

} // namespace app
