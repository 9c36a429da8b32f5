// The diagnostic logger: levelled messages written to the module's log file.
#ifndef TWAINMON_TWAINLOG_H
#define TWAINMON_TWAINLOG_H

class CTwainLog {
public:
    virtual ~CTwainLog() {}
};

#endif // TWAINMON_TWAINLOG_H
