#include "catalogue-site/RelatedWords.h"

#include <QHash>

#include <array>
#include <utility>

namespace
{
// Subject, then its related words separated by ","; phrases are written with spaces and matched
// without them. Words that mean something else in icon names (play, note, place, face, button,
// stock, system, manager, project, office, store, power, device, share, van, auto, driver) and words
// that reach too far (bank, pill, skull, bone, xray, gift, download, bookmark, wheel, road, traffic, parking,
// truck, island, pay) are left out on purpose; currencies are named with their sign ("yen" is also a name).
constexpr std::array<std::pair<const char*, const char*>, 32> kTable = {{
    {"mobile", "phone,smartphone,cellphone,handheld,tablet,android,iphone,sms,pda,gsm,3g,4g,5g,"
               "kdeconnect,mobile phone"},
    {"medical",
     "medicine,medic,medicina,emergency,mask,capsule,drug,drugs,prescription,plaster,cardiogram,"
     "veterinarian,vet,pharmacist,physician,vitamin,stretcher,radiology,toothbrush,toothpaste,band aid,"
     "hearing aid,hospital,health,healthcare,syringe,ambulance,doctor,"
     "nurse,medication,"
     "pharmacy,vaccine,stethoscope,thermometer,bandage,first aid,virus,bacteria,microbe,dna,tooth,"
     "dental,dentist,blood,lungs,brain,wheelchair,crutch,ill,injury,"
     "surgeon,surgery,microscope,anatomy,biology,heartbeat,caduceus,clinic,patient,"
     "face with medical mask,pharmacist,red cross,ecg,disease"},
    {"shop", "shopping,cart,basket,bag,buy,sale,market,price,money,cash,coin,wallet,credit card,"
             "credit,receipt,purchase,discount,supermarket,mall,dollar,euro sign,pound sign,yen sign,"
             "currency,barcode,shelf,trolley,ecommerce,payment"},
    {"security", "lock,locked,unlock,unlocked,padlock,key,password,shield,firewall,encryption,encrypted,"
                 "encrypt,privacy,private,safe,secure,guard,police,vault,antivirus,protection,protect,"
                 "authentication,fingerprint,certificate,keyring,gpg,pgp,ssh,vpn,keychain,cop,policeman,"
                 "siren,handcuffs,badge,spy,detective,crypto,cryptography,seahorse,kgpg,keepass,keepassxc,"
                 "bitwarden,1password,veracrypt,clamav,clamtk,tor"},
    {"network", "internet,web,wifi,wireless,lan,ethernet,router,server,cloud,connection,connect,online,"
                "bluetooth,signal,antenna,modem,net,www,browser,remote,"
                "satellite"},
    {"music", "audio,sound,song,musical note,instrument,guitar,piano,drum,violin,trumpet,saxophone,"
              "microphone,headphones,headphone,speaker,radio,melody,concert,band,mp3,playlist,musical,cd,"
              "vinyl,orchestra,singer,sing,dj,midi,tune"},
    {"map", "maps,navigation,location,gps,compass,globe,world,earth,pin,marker,route,signpost,atlas,"
            "geography,map symbols"},
    {"build", "building,construction,architecture,house,tower,skyscraper,factory,church,castle,bridge,"
              "crane,brick,builder,construct,hotel,stadium,city,cityscape,temple,mosque,hut,cottage,"
              "warehouse,tent,lighthouse,barn,monument,fountain,office building,post office,hospital,"
              "school,classical building,construction site,house with garden,derelict house,"
              "mountain cabin,homes"},
    {"holiday", "holidays,vacation,christmas,xmas,halloween,easter,thanksgiving,new year,celebration,"
                "celebrate,party,gift,present,santa,pumpkin,fireworks,firecracker,balloon,beach,suitcase,"
                "luggage,snowman,ornament,valentine,festival,feast,hanukkah,menorah,diwali,confetti,"
                "birthday,tanabata,carnival,parade,sparkler,wrapped gift,jack o lantern,christmas tree,"
                "palm tree,umbrella on ground,sunrise"},
    {"game", "games,gaming,gamepad,joystick,controller,chess,cards,playing card,dice,puzzle,videogame,"
             "console,arcade,jigsaw,poker,casino,bowling,billiards,tetris,mahjong,solitaire,sudoku,domino,"
             "dominoes,toy,toys,recreation,sports"},
    {"food", "foods,meal,fruit,vegetable,meat,meats,drink,beverage,bread,dessert,cake,snack,restaurant,"
             "kitchen,cooking,cook,eat,dinner,lunch,breakfast,pizza,burger,apple,banana,cheese,egg,fish,"
             "candy,chocolate,coffee,tea,wine,beer,milk,soup,carbs,dairy,sweet,baking,recipe"},
    {"flag", "flags,banner,country,nation,national,pennant,countries,semaphore,flagpole"},
    {"file", "files,document,mimetypes,mimetype,text,pdf,archive,paper,page,sheet,save,open"},
    {"electronic", "electronics,electric,electrical,electricity,circuit,resistor,capacitor,transistor,"
                   "diode,led,chip,battery,bulb,lightbulb,plug,socket,cable,wire,radio,television,tv,"
                   "speaker,headphones,microphone,camera,calculator,gadget,amplifier,"
                   "oscilloscope,joystick,gamepad,printer,scanner,phone,mobile,computer,laptop,monitor,"
                   "keyboard,harddisk,drive,usb,webcam,video camera,robot,satellite,clock,alarm clock,"
                   "pager,fax,transformer,voltage"},
    {"education", "school,teacher,student,book,learn,learning,study,science,math,mathematics,chemistry,"
                  "physics,biology,geography,graduation,diploma,university,college,classroom,pencil,"
                  "notebook,abc,alphabet,microscope,dictionary,library,lesson,exam,quiz,homework,blackboard,"
                  "chalkboard,educational,teach,teaching,knowledge,scientist,atom,molecule,telescope,ruler,"
                  "globe,encyclopedia,reading,writing,calculator,chemical,lab,laboratory,astronomy"},
    {"computer", "computers,pc,desktop,laptop,monitor,display,screen,keyboard,cpu,processor,chip,hardware,"
                 "server,workstation,terminal,harddisk,harddrive,drive,disk,disc,memory,ram,usb,printer,"
                 "scanner,modem,router,computing,floppy,cdrom,dvd,webcam,network card,motherboard,"
                 "graphics card,tablet,notebook computer,personal computer,desktop computer,mainframe,"
                 "kernel,linux,os,gpu"},
    {"cloth", "clothes,clothing,shirt,tshirt,t shirt,dress,skirt,pants,trousers,jeans,shoe,boot,hat,cap,"
              "scarf,coat,jacket,sock,glove,tie,necktie,kimono,sari,bikini,swimsuit,fashion,wear,garment,"
              "uniform,sandal,handbag,purse,crown,glasses,sunglasses,shorts,bra,lingerie,underwear,sweater,"
              "hoodie,vest,belt,sewing,tailor,textile,fabric,laundry,wardrobe,hanger,costume,apparel,"
              "ribbon,ring,dressed,outfit,mittens,helmet,tophat,top hat,high heel,womans hat,mans shoe,"
              "athletic shoe"},
    {"business", "briefcase,money,chart,graph,finance,financial,banking,meeting,presentation,"
                 "report,spreadsheet,accounting,invoice,dollar,coin,cash,handshake,contract,"
                 "company,corporate,profit,calculator,statistics,analytics,sales,marketing,"
                 "employee,boss,portfolio,economy,currency,businessman,businesswoman,trade,market,"
                 "budget,tax,payment,receipt,signature,"
                 "secretary,workplace,job,career,crm,erp,"
                 "invest,investment,chart increasing,chart decreasing,office worker,ledger"},
    {"arrow", "arrows,pointer,direction,chevron,cursor,arrowshape,go,next,previous,back,forward,undo,"
              "redo"},
    {"animal", "animals,mammal,mammals,bird,fish,insect,bug,reptile,amphibian,dog,cat,horse,cow,pig,"
               "sheep,lion,tiger,bear,elephant,monkey,rabbit,rat,fox,wolf,deer,frog,snake,turtle,penguin,"
               "owl,duck,chicken,butterfly,bee,spider,whale,dolphin,shark,octopus,crab,dinosaur,pet,zoo,"
               "wildlife,wild,farm,paw,creature,fantasy,dragon,unicorn"},
    {"home", "house,homepage,household,residence,apartment,homes,housing"},
    {"user", "person,people,avatar,account,profile,contact,users,man,woman,boy,girl,human,member,guest,"
             "admin,personal"},
    {"mail", "email,e mail,envelope,letter,postbox,mailbox,message,inbox,outbox,send,postal,postman,stamp,"
             "newsletter,evolution,thunderbird,kmail,geary"},
    {"folder", "directory,directories,folders,dossier"},
    {"star", "stars,favorite,favourite,rating,rate,starred,sparkle,twinkle,shooting star,"
             "glowing star"},
    {"heart", "hearts,love,valentine,romance,romantic,cardiac,kiss,lovely,like,affection,couple"},
    {"phone", "telephone,smartphone,cellphone,call,calling,dial,dialer,voip,skype,receiver,handset,sms,"
              "mobile"},
    {"car", "cars,automobile,vehicle,taxi,racing car,race car,police car,sports car,suv,jeep,convertible,"
            "limousine"},
    {"weather", "sun,sunny,cloud,cloudy,rain,rainy,snow,snowy,snowflake,storm,thunder,lightning,wind,windy,"
                "umbrella,fog,foggy,hail,tornado,hurricane,rainbow,temperature,thermometer,forecast,climate,"
                "meteo,meteorology,sky,moon,frost,celsius"},
    {"money",
     "banknote,banknotes,dollar,dollars,euro sign,yen sign,pound sign,coin,coins,cash,currency,wallet,purse,"
     "piggybank,piggy bank,atm,automated teller machine,credit card,moneybag,money bag,finance"},
    {"search", "find,magnifying glass,magnifing glass,magnifier,loupe,binoculars,seek,lookup"},
    {"calendar", "date,dates,schedule,appointment,agenda,event,planner,organizer,organiser,timetable,month,"
                 "calendars,korganizer,todo,reminder,deadline"},
}};

QString compactWord(const QString& phrase)
{
    QString c;
    for (QChar ch : phrase)
        if (ch.isLetterOrNumber())
            c += ch.toLower();
    return c;
}

// Related word (compact) -> indices of the subjects it leads to.
const QHash<QString, QList<int>>& byWord()
{
    static const QHash<QString, QList<int>> table = [] {
        QHash<QString, QList<int>> t;
        for (int i = 0; i < int(kTable.size()); ++i)
            for (const QString& word : QString::fromLatin1(kTable[size_t(i)].second).split(','))
                t[compactWord(word)].append(i);
        return t;
    }();
    return table;
}
} // namespace

QStringList RelatedWords::subjects()
{
    QStringList s;
    for (const auto& row : kTable)
        s << QString::fromLatin1(row.first);
    return s;
}

QStringList RelatedWords::subjectsFor(const QSet<QString>& terms)
{
    std::array<bool, kTable.size()> hit{};
    for (const QString& term : terms) {
        for (const QString& candidate : {term, term.endsWith('s') ? term.chopped(1) : QString()}) {
            const auto it = byWord().constFind(candidate);
            if (!candidate.isEmpty() && it != byWord().cend())
                for (int i : *it)
                    hit[size_t(i)] = true;
        }
    }
    QStringList found;
    for (size_t i = 0; i < kTable.size(); ++i)
        if (hit[i])
            found << QString::fromLatin1(kTable[i].first);
    return found;
}

QSet<QString> RelatedWords::termsOfName(const QString& name)
{
    return phraseTerms({QString(name).replace('-', ' ')});
}

QSet<QString> RelatedWords::termsOf(const IconEntry& entry)
{
    return phraseTerms(entry.tags + QStringList{QString(entry.name).replace('-', ' ')});
}

QSet<QString> RelatedWords::phraseTerms(const QStringList& phrases)
{
    QSet<QString> terms;
    for (const QString& phrase : phrases) {
        terms.insert(compactWord(phrase));
        const QStringList words = phrase.split(' ', Qt::SkipEmptyParts);
        // Each word and each pair of neighbours: "magnifying glass" in "right pointing magnifying glass".
        for (qsizetype i = 0; i < words.size(); ++i) {
            terms.insert(compactWord(words[i]));
            if (i + 1 < words.size())
                terms.insert(compactWord(words[i] + words[i + 1]));
        }
    }
    terms.remove(QString());
    return terms;
}

void RelatedWords::tag(IconEntry& entry)
{
    entry.related = subjectsFor(termsOf(entry));
}
