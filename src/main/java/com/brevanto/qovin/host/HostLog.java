package com.brevanto.qovin.host;

import com.brevanto.qovin.PluginContext;
import com.brevanto.qovin.util.XPlaneDebugStringImpl;
import java.io.ByteArrayOutputStream;
import java.io.FileOutputStream;
import java.io.IOException;
import java.io.OutputStream;
import java.io.PrintStream;
import java.io.PrintWriter;
import java.io.StringWriter;
import java.nio.charset.StandardCharsets;
import java.nio.file.Path;
import java.util.TimeZone;
import java.util.logging.Handler;
import java.util.logging.Level;
import java.util.logging.LogManager;
import java.util.logging.LogRecord;
import java.util.logging.Logger;

/**
 * The qovin log file: every line tagged with the Java plugin it comes from
 * (or "qovin"). It takes the host's own lines, Java logging, the plugins'
 * System.out and System.err, and uncaught exceptions. Start-up and fatal
 * lines also go to the simulator's log.
 */
final class HostLog {
    private final PrintStream file;
    private final Path path;

    HostLog(Path path) throws IOException {
        this.path = path;
        this.file = new PrintStream(new FileOutputStream(path.toFile(), true), true, StandardCharsets.UTF_8);
    }

    Path path() {
        return path;
    }

    /** A line of the plugin whose code is running (or of qovin). */
    void line(String text) {
        PluginContext context = PluginContext.current();
        line(context == null ? "qovin" : context.name(), text);
    }

    synchronized void line(String tag, String text) {
        long now = System.currentTimeMillis();
        String stamp = stamp(now + TimeZone.getDefault().getOffset(now));
        for (String part : text.split("\n", -1)) {
            if (!part.isEmpty()) {
                file.println(stamp + " [" + tag + "] " + part);
            }
        }
    }

    /**
     * "yyyy-MM-dd HH:mm:ss.SSS" of a local time given in milliseconds since
     * 1970-01-01 00:00 (the proleptic Gregorian calendar, any sign). Made by
     * hand: java.time's formatter costs tens of milliseconds at the first line.
     */
    static String stamp(long localMillis) {
        long days = Math.floorDiv(localMillis, 86_400_000L);
        int ofDay = (int) Math.floorMod(localMillis, 86_400_000L);
        // Days since 1970-01-01 to a civil date, in eras of 400 years from 0000-03-01.
        long z = days + 719_468;
        long era = Math.floorDiv(z, 146_097);
        long dayOfEra = z - era * 146_097;
        long yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36_524 - dayOfEra / 146_096) / 365;
        long dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
        long monthFromMarch = (5 * dayOfYear + 2) / 153;
        int day = (int) (dayOfYear - (153 * monthFromMarch + 2) / 5 + 1);
        int month = (int) (monthFromMarch < 10 ? monthFromMarch + 3 : monthFromMarch - 9);
        long year = yearOfEra + era * 400 + (month <= 2 ? 1 : 0);
        StringBuilder text = new StringBuilder(24);
        if (year < 0) {
            text.append('-');
        }
        digits(text, Math.abs(year), 4).append('-');
        digits(text, month, 2).append('-');
        digits(text, day, 2).append(' ');
        digits(text, ofDay / 3_600_000, 2).append(':');
        digits(text, ofDay / 60_000 % 60, 2).append(':');
        digits(text, ofDay / 1000 % 60, 2).append('.');
        return digits(text, ofDay % 1000, 3).toString();
    }

    /** Appends {@code value} (0 or more) with at least {@code width} digits. */
    private static StringBuilder digits(StringBuilder text, long value, int width) {
        String number = Long.toString(value);
        for (int i = number.length(); i < width; i++) {
            text.append('0');
        }
        return text.append(number);
    }

    /** A line that also goes to the simulator's log. */
    void important(String text) {
        line("qovin", text);
        XPlaneDebugStringImpl.debugString("qovin: " + text + "\n");
    }

    static String stackTrace(Throwable t) {
        StringWriter out = new StringWriter();
        t.printStackTrace(new PrintWriter(out));
        return out.toString();
    }

    /** Routes Java logging, System.out and System.err and uncaught exceptions here. */
    void capture(Level level) {
        LogManager.getLogManager().reset();
        Logger root = Logger.getLogger("");
        root.setLevel(level);
        root.addHandler(new Handler() {
            @Override
            public void publish(LogRecord record) {
                if (isLoggable(record)) {
                    String message = record.getLevel() + " " + record.getLoggerName() + ": " + record.getMessage();
                    line(record.getThrown() == null ? message : message + "\n" + stackTrace(record.getThrown()));
                }
            }

            @Override
            public void flush() {
            }

            @Override
            public void close() {
            }
        });
        System.setOut(new PrintStream(new Lines(), true, StandardCharsets.UTF_8));
        System.setErr(new PrintStream(new Lines(), true, StandardCharsets.UTF_8));
        Thread.setDefaultUncaughtExceptionHandler(
                (thread, e) -> line("uncaught in thread \"" + thread.getName() + "\": " + stackTrace(e)));
    }

    /** Writes each complete line to the log, tagged by the plugin that printed it. */
    private final class Lines extends OutputStream {
        private final ByteArrayOutputStream pending = new ByteArrayOutputStream();

        @Override
        public synchronized void write(int b) {
            if (b == '\n') {
                line(pending.toString(StandardCharsets.UTF_8));
                pending.reset();
            } else {
                pending.write(b);
            }
        }
    }
}
