/*
 * lvdriver.h - host interface of the LVDRIVER plug-in.
 *
 * The plug-in owns the serial line to a chain of Marlune display controllers and
 * offers it through six exports plus GetLastErrorText. Everything that crosses the
 * boundary is a C type: pointer-sized parameter cells, packed records and
 * length-prefixed texts (one length byte, then up to 255 characters).
 *
 * Parameter cells: every Pk of ExecutePluginFunctionBy* is the address of a cell
 * (LvCell, pointer-sized) owned by the caller. Numbers use the low 32 bits of a
 * cell; numbers written back fill the whole cell (zero-extended, signed values
 * sign-extended). Cells of text or block kind hold an address.
 *
 * Output texts are written into a caller's 256-byte buffer at offsets 1..n; offset 0
 * and the bytes after n are left untouched and no terminating zero is written. Hosts
 * pre-fill the buffer (length byte 255 and 255 blanks) and trim blanks afterwards.
 *
 * Result codes are one byte (LV_RESULT_*): 0 success of a command that does not talk
 * to a device, 128 success of a device command.
 *
 * No C++ exception ever leaves the plug-in. A serial-port failure during a device
 * command ends that command with LV_RESULT_IO_ERROR (SendPacket: link code 255);
 * GetLastErrorText then returns the port layer's message, for example
 * "PurgeComm function failed (errno 9: Bad file descriptor)".
 *
 * GetLastErrorText(buffer): buffer is a caller's 256-byte block. The plug-in
 * stores the message of the last serial-port failure there as a length-prefixed
 * text: byte 0 = length n (at most 255), bytes 1..n = the characters, the rest
 * untouched. Every other export clears the message when it starts, so the text
 * belongs to the call just made: empty after a success, and empty when a device
 * command returned LV_RESULT_IO_ERROR because of the unit's reply rather than the
 * port. OpenHardwarePort and CloseHardwarePort leave their failure's message too
 * ("Unable to open com port /dev/ttyUSB0 (errno 2: No such file or directory)").
 * A message is the failure's fixed text, what it concerns (a device path, a port
 * number, a reason) and, in parentheses, the system's error in the platform's form
 * ("errno N: text" on POSIX systems, "win error code: N" on Windows). Returns
 * LV_RESULT_OK, or LV_RESULT_UNINITIALIZED_POINTER for a null buffer (nothing
 * written).
 *
 * Null arguments: GetPluginSupportInfo with a null cell address and QueryParam
 * with a null P2 cell address return LV_RESULT_UNINITIALIZED_POINTER. Elsewhere a
 * null cell address reads as 0 (a null text) and outputs to it are skipped.
 * Blocks the plug-in allocates for null cells (GetPluginSupportInfo, QueryParam)
 * stay its own until it is unloaded; it reuses them, one per record kind and
 * command number, so repeated calls do not grow memory.
 *
 * All calls are made from one thread at a time; the plug-in takes no locks.
 */
#ifndef LVDRIVER_H
#define LVDRIVER_H

#include <stddef.h>
#include <stdint.h>

#if defined(_WIN32) && !defined(_WIN64)
#define LV_API __stdcall
#else
#define LV_API
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* One parameter cell: 32 bits on 32-bit Windows, pointer-sized elsewhere. */
typedef uintptr_t LvCell;

#pragma pack(push, 1)

/* Length-prefixed text of at most 255 characters in a 256-byte field. */
typedef struct LvText {
    uint8_t length;
    char chars[255];
} LvText;

typedef struct PluginInfo {
    LvText name;        /* "Lumivane" */
    LvText codeName;    /* "LUMIVANE" */
    LvText vendor;      /* "Norventa" */
    uint32_t reserved;  /* 0 */
    uint32_t magic99;   /* 99, read by nobody */
    uint32_t portCount; /* serial ports the system lists, filled in at each call */
    LvText legalNotice;
    LvText version;        /* "v1.8" */
    LvText date;           /* "09/01/2001" */
    uint32_t commandCount; /* 20 */
} PluginInfo;

typedef struct ParameterDescription {
    uint8_t kind; /* LV_PT_* */
    LvText text;
} ParameterDescription;

typedef struct CommandDescription {
    LvText name;
    LvText description;
    ParameterDescription parameters[4];
} CommandDescription;

#define LV_PACKET_SYNC 0xEFBEu
#define LV_PACKET_HEADER_SIZE 7u
#define LV_PACKET_MAX_PAYLOAD 65536u

/* A packet record. On the line a packet is its first length + 7 bytes. */
typedef struct Packet {
    uint16_t sync;       /* 0xEFBE: bytes BE EF on the line */
    uint8_t type;        /* LV_PACKET_TYPE_* or any type a SendPacket caller chooses */
    uint16_t length;     /* payload length L */
    uint8_t checksum[2]; /* CRC-16/MODBUS: [0] high byte, [1] low byte */
    uint8_t payload[LV_PACKET_MAX_PAYLOAD];
} Packet;

#pragma pack(pop)

#ifdef __cplusplus
static_assert(sizeof(LvText) == 256, "LvText is 256 bytes");
static_assert(sizeof(PluginInfo) == 1552, "PluginInfo is 1552 bytes");
static_assert(sizeof(ParameterDescription) == 257, "ParameterDescription is 257 bytes");
static_assert(sizeof(CommandDescription) == 1540, "CommandDescription is 1540 bytes");
static_assert(sizeof(Packet) == 65543, "Packet is 65543 bytes");
#else
_Static_assert(sizeof(LvText) == 256, "LvText is 256 bytes");
_Static_assert(sizeof(PluginInfo) == 1552, "PluginInfo is 1552 bytes");
_Static_assert(sizeof(ParameterDescription) == 257, "ParameterDescription is 257 bytes");
_Static_assert(sizeof(CommandDescription) == 1540, "CommandDescription is 1540 bytes");
_Static_assert(sizeof(Packet) == 65543, "Packet is 65543 bytes");
#endif

/* Packet types the plug-in sends. */
enum {
    LV_PACKET_TYPE_DETECT = 1,
    LV_PACKET_TYPE_EVENT = 2,
    LV_PACKET_TYPE_OPERATION = 3,
    LV_PACKET_TYPE_VARIABLE = 14,
    LV_PACKET_TYPE_OEM = 16
};

/* Reply bytes of a unit and link codes: the low byte of a SendPacket result. */
enum {
    LV_LINK_ACK = 6,           /* accepted */
    LV_LINK_NAK = 21,          /* refused */
    LV_LINK_VALUE = 28,        /* a 16-bit value follows, low byte first */
    LV_LINK_PACKET = 30,       /* a reply packet follows */
    LV_LINK_UNEXPECTED = 253,  /* the reply byte was none of the above */
    LV_LINK_SHORT_WRITE = 254, /* packet not written whole; in reception: wrong sync word */
    LV_LINK_NO_REPLY = 255     /* nothing, or a reply cut short, within the time-outs */
};

/* Result codes. */
enum {
    LV_RESULT_OK = 0,
    LV_RESULT_CANNOT_OPEN_PORT = 1,
    LV_RESULT_CANNOT_CLOSE_PORT = 2,
    LV_RESULT_PORT_ALREADY_OPEN = 3,
    LV_RESULT_PORT_ALREADY_CLOSED = 4,
    LV_RESULT_IO_ERROR = 5,
    LV_RESULT_UNSUPPORTED_COMMAND = 6,
    LV_RESULT_UNINITIALIZED_POINTER = 7,
    LV_RESULT_ACCESS_VIOLATION = 8,
    LV_RESULT_DEVICE_OK = 128,
    LV_RESULT_UNKNOWN_EVENT = 129,
    LV_RESULT_UNKNOWN_OPERATION = 130,
    LV_RESULT_TARGET_NOT_EXPECTED = 131,
    LV_RESULT_TARGET_MISSING = 132,
    LV_RESULT_UNKNOWN_TARGET = 133,
    LV_RESULT_UNKNOWN_OPERATION_TYPE = 134,
    LV_RESULT_UNKNOWN_PARAMETER_TYPE = 135,
    LV_RESULT_STRING_NOT_ACCEPTED = 136,
    LV_RESULT_PERCENTAGE_NOT_ACCEPTED = 137,
    LV_RESULT_IMMEDIATE_NOT_ACCEPTED = 138,
    LV_RESULT_VALUE_OUT_OF_RANGE = 139,
    LV_RESULT_UNKNOWN_VALUE = 140,
    LV_RESULT_EXECUTE_ONLY = 141,
    LV_RESULT_VALUE_ONLY = 142,
    LV_RESULT_OEM_TOO_LARGE = 143,
    LV_RESULT_OEM_DATA_MISSING = 144,
    LV_RESULT_UNKNOWN_VARIABLE = 145,
    LV_RESULT_WRONG_VARIABLE_TYPE = 146,
    LV_RESULT_INDEX_OUT_OF_RANGE = 147
};

/* Command numbers of ExecutePluginFunctionByNumber. */
enum {
    LV_CMD_QUERY_PARAM = 0,
    LV_CMD_SEND_EVENT = 1,
    LV_CMD_SEND_OP_SET_VALUE = 2,
    LV_CMD_SEND_OP_GET_VALUE = 3,
    LV_CMD_SEND_OP_INC_VALUE = 4,
    LV_CMD_SEND_OP_DEC_VALUE = 5,
    LV_CMD_SEND_OP_EXECUTE = 6,
    LV_CMD_SEND_OP_IS_AVAIL = 7,
    LV_CMD_SEND_OP_RANGE_QUERY = 8,
    LV_CMD_DETECT_PORT = 9,
    LV_CMD_SEND_OEM = 10,
    LV_CMD_VARIABLE_GET = 11,
    LV_CMD_VARIABLE_SET = 12,
    LV_CMD_VARIABLE_CLEAR = 13,
    LV_CMD_VARIABLE_TOGGLE = 14,
    LV_CMD_SET_ANSWER_RX_STATUS = 15,
    LV_CMD_GET_MATCH_LIST_ITEM_COUNT = 16,
    LV_CMD_GET_MATCH_LIST_ITEM = 17,
    LV_CMD_GET_LAST_PACKETS = 18,
    LV_CMD_SET_TEST_MODE_STATUS = 19,
    LV_COMMAND_COUNT = 20
};

/*
 * Commands added to the table after the twenty above. They are found by name only
 * (ExecutePluginFunctionByName, letter case ignored, after the twenty): by number
 * they are refused with LV_RESULT_UNSUPPORTED_COMMAND as every number from 20 on
 * is, QueryParam does not describe them and the info record's command count stays
 * 20. A host that never calls one gets the plug-in's behaviour, and its bytes on
 * the line, unchanged; an older plug-in answers one with
 * LV_RESULT_UNSUPPORTED_COMMAND.
 *
 * SetRangeCacheStatus: P1 (ptBoolean, in) remember the units' ranges (TRUE=Yes);
 * P2..P4 unused. Returns LV_RESULT_OK. While on, the range a unit answered for an
 * operation and target is kept, keyed by the device ID selected alone through
 * "op_IP_MISC_DEVICESELECTION" (never for all units at once), and later sets and
 * gets of that POT operation on that unit scale with it instead of running a range
 * query first. Every call empties what is kept, so a host calls it again to make
 * the plug-in ask the units afresh. The plug-in also forgets everything when the
 * port is opened or closed, after "op_DATA_MANAGER_RESET" is executed, after any
 * exchange that did not succeed and after a SendPacket of the host's. In test mode
 * or without waiting for answers nothing is kept or used.
 */
#define LV_COMMAND_SET_RANGE_CACHE_STATUS "SetRangeCacheStatus"

/*
 * SetTrafficTap: P1 (ptPointer, in) the address of an LvTrafficTap function, or
 * null to stop; P2 (ptPointer, in) a context handed back to it; P3, P4 unused.
 * Returns LV_RESULT_OK. While a tap is set the plug-in calls it for every packet
 * it sends (in test mode: does not send), for the end of every exchange that waits
 * for an answer, and for every reply packet it receives, each decoded as the
 * traffic log (LVDRIVER_TRAFFIC) writes it. The calls are made inside the command
 * that exchanges the packet, on the caller's thread: the tap must not call the
 * plug-in, and the entry and its texts live for the call only. Without a tap (and
 * without a traffic log) nothing is decoded at all.
 */
#define LV_COMMAND_SET_TRAFFIC_TAP "SetTrafficTap"

/* What a traffic entry stands for (LvTrafficEntry.direction). */
enum {
    LV_TRAFFIC_SENT = 1,     /* a packet written to the line */
    LV_TRAFFIC_NOT_SENT = 2, /* a packet test mode kept off the line */
    LV_TRAFFIC_REPLY = 3,    /* how the exchange of the packet sent last ended */
    LV_TRAFFIC_RECEIVED = 4  /* a reply packet received with a valid checksum */
};

/* How an exchange ended (LvTrafficEntry.outcome of a reply). */
enum {
    LV_TRAFFIC_NO_OUTCOME = 0,   /* not a reply */
    LV_TRAFFIC_ANSWERED = 1,     /* acknowledge, value or reply packet */
    LV_TRAFFIC_NO_ANSWER = 2,    /* nothing, or an answer cut short, within the time-outs */
    LV_TRAFFIC_REFUSED = 3,      /* the unit refused the packet (21) */
    LV_TRAFFIC_BAD_CHECKSUM = 4, /* a reply packet with a wrong checksum, refused by the plug-in */
    LV_TRAFFIC_UNEXPECTED = 5    /* an unknown reply byte, a wrong sync word, a short write */
};

/*
 * One entry of the traffic tap. The texts are never null ("" when empty). A reply
 * carries the kind, name, target and value of the packet it answers.
 */
typedef struct LvTrafficEntry {
    int64_t time;        /* microseconds since 1970-01-01 00:00 UTC */
    uint32_t linkResult; /* a reply: the link code, a value reply's value in bits 16..31; else 0 */
    int16_t unit;        /* the device ID addressed: 1..255, 0 all units, -1 not known */
    uint8_t direction;   /* LV_TRAFFIC_SENT ... */
    uint8_t outcome;     /* LV_TRAFFIC_ANSWERED ... for a reply */
    uint8_t packetType;  /* the packet's type (for a reply, the answered packet's) */
    const char* kind;    /* "operation set", "event", "variable get", "oem", "port detection", "type=9" */
    const char* name;    /* the operation, event or variable ("code=0x0123" or "?" when unknown) */
    const char* target;  /* the target identifier */
    const char* value;   /* "value=50", "value=isDVI1", "min=0 max=255", "step=1", "param=0", ... */
    const char* result;  /* a reply: "acknowledge (6)", "refusal (21)", "no reply (255)" ... */
    const char* line;    /* the traffic log's line: time stamp, text, bytes; no line end */
} LvTrafficEntry;

/* Parameter kinds of a ParameterDescription. */
enum {
    LV_PT_UNUSED = 0,
    LV_PT_UNSIGNED_INT32 = 1,
    LV_PT_SIGNED_INT32 = 2,
    LV_PT_UNSIGNED_INT16 = 3,
    LV_PT_UNSIGNED_INT8 = 5,
    LV_PT_POINTER = 7,
    LV_PT_PCHAR = 8,
    LV_PT_BOOLEAN = 9,
    LV_PT_VARIANT = 10
};

/* Value kinds of SendOpSetValue / SendOpGetValue (low byte of P4). */
enum { LV_VALUE_IMMEDIATE = 0, LV_VALUE_PERCENTAGE = 1, LV_VALUE_IDENTIFIER = 2 };

/* Percentages travel as 0..100000 for 0..100 %. */
#define LV_PERCENT_FULL 100000

/* Exports. */
typedef uint8_t(LV_API* GetPluginSupportInfoFn)(LvCell* info);
typedef uint8_t(LV_API* OpenHardwarePortFn)(uint32_t port);
typedef uint8_t(LV_API* CloseHardwarePortFn)(void);
typedef uint8_t(LV_API* ExecutePluginFunctionByNumberFn)(uint32_t number, LvCell* p1, LvCell* p2, LvCell* p3,
                                                         LvCell* p4);
typedef uint8_t(LV_API* ExecutePluginFunctionByNameFn)(const uint8_t* name, LvCell* p1, LvCell* p2,
                                                       LvCell* p3, LvCell* p4);
typedef uint32_t(LV_API* SendPacketFn)(Packet* packet);
typedef uint8_t(LV_API* GetLastErrorTextFn)(uint8_t* buffer);
/* The function SetTrafficTap takes. */
typedef void(LV_API* LvTrafficTap)(const LvTrafficEntry* entry, void* context);

#ifdef LVDRIVER_BUILDING
#ifdef _WIN32
#define LV_EXPORT __declspec(dllexport)
#else
#define LV_EXPORT __attribute__((visibility("default")))
#endif
uint8_t LV_EXPORT LV_API GetPluginSupportInfo(LvCell* info);
uint8_t LV_EXPORT LV_API OpenHardwarePort(uint32_t port);
uint8_t LV_EXPORT LV_API CloseHardwarePort(void);
uint8_t LV_EXPORT LV_API ExecutePluginFunctionByNumber(uint32_t number, LvCell* p1, LvCell* p2, LvCell* p3,
                                                       LvCell* p4);
uint8_t LV_EXPORT LV_API ExecutePluginFunctionByName(const uint8_t* name, LvCell* p1, LvCell* p2, LvCell* p3,
                                                     LvCell* p4);
uint32_t LV_EXPORT LV_API SendPacket(Packet* packet);
uint8_t LV_EXPORT LV_API GetLastErrorText(uint8_t* buffer);
#endif

#ifdef __cplusplus
}
#endif

#endif /* LVDRIVER_H */
