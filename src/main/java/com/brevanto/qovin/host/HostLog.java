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
import java.time.LocalDateTime;
import java.time.format.DateTimeFormatter;
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
    private static final DateTimeFormatter TIME = DateTimeFormatter.ofPattern("yyyy-MM-dd HH:mm:ss.SSS");

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
        String stamp = LocalDateTime.now().format(TIME);
        for (String part : text.split("\n", -1)) {
            if (!part.isEmpty()) {
                file.println(stamp + " [" + tag + "] " + part);
            }
        }
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
