package com.brevanto.qovin.testkit;

import com.brevanto.qovin.XPlanePluginHelper;
import java.nio.file.Files;
import java.nio.file.Path;
import java.nio.file.Paths;
import java.lang.reflect.Method;
import org.junit.jupiter.api.extension.AfterEachCallback;
import org.junit.jupiter.api.extension.BeforeAllCallback;
import org.junit.jupiter.api.extension.BeforeEachCallback;
import org.junit.jupiter.api.extension.ExtensionConfigurationException;
import org.junit.jupiter.api.extension.ExtensionContext;
import org.junit.jupiter.api.extension.ParameterContext;
import org.junit.jupiter.api.extension.ParameterResolver;

/**
 * The JUnit 5 extension that runs tests in the stand-in simulator:
 * {@code @ExtendWith(QovinSim.class)}, then take a {@link Sim} parameter.
 *
 * <p>Once per JVM it loads libqovin-testkit.so (the stand-in's control API,
 * which also makes the stand-in libxplmsim.so visible to the bridge) and then
 * the bridge libqovin.so, both from the folder named by the system property
 * {@value #NATIVES_PROPERTY}. The thread that loads them becomes the
 * simulator's main thread: tests must not move to other threads to call the
 * simulator. Before each test the stand-in goes back to its default world;
 * after it, a plugin still running is stopped and must have released
 * everything it registered.
 */
public final class QovinSim implements BeforeAllCallback, BeforeEachCallback, AfterEachCallback, ParameterResolver {
    /** The system property naming the folder of libqovin.so, libxplmsim.so and libqovin-testkit.so. */
    public static final String NATIVES_PROPERTY = "qovin.natives";

    private static final ExtensionContext.Namespace NAMESPACE = ExtensionContext.Namespace.create(QovinSim.class);

    /** The loaded libraries' folder: one per JVM, kept in the root store. */
    private record LoadedNatives(Path folder) {
    }

    @Override
    public void beforeAll(ExtensionContext context) {
        context.getRoot().getStore(NAMESPACE).getOrComputeIfAbsent(LoadedNatives.class, key -> load(),
                LoadedNatives.class);
    }

    @Override
    public void beforeEach(ExtensionContext context) {
        context.getStore(NAMESPACE).put(Sim.class, Sim.reset());
    }

    @Override
    public void afterEach(ExtensionContext context) {
        Sim sim = context.getStore(NAMESPACE).remove(Sim.class, Sim.class);
        if (sim != null) {
            sim.finish();
        }
    }

    @Override
    public boolean supportsParameter(ParameterContext parameter, ExtensionContext context) {
        return parameter.getParameter().getType() == Sim.class && parameter.getDeclaringExecutable() instanceof Method;
    }

    @Override
    public Object resolveParameter(ParameterContext parameter, ExtensionContext context) {
        return context.getStore(NAMESPACE).get(Sim.class, Sim.class);
    }

    private static LoadedNatives load() {
        String folderName = System.getProperty(NATIVES_PROPERTY);
        if (folderName == null || folderName.isEmpty()) {
            throw new ExtensionConfigurationException("set -D" + NATIVES_PROPERTY
                    + "=<folder holding libqovin.so, libxplmsim.so and libqovin-testkit.so>");
        }
        Path folder = Paths.get(folderName).toAbsolutePath();
        for (String library : new String[] {"libqovin-testkit.so", "libxplmsim.so", "libqovin.so"}) {
            if (!Files.isRegularFile(folder.resolve(library))) {
                throw new ExtensionConfigurationException(library + " is not in " + folder + " (-D"
                        + NATIVES_PROPERTY + ")");
            }
        }
        // The control API first: it makes the stand-in's XPLM symbols global,
        // and the bridge binds to them as it is loaded.
        System.load(folder.resolve("libqovin-testkit.so").toString());
        XPlanePluginHelper.load(folder.resolve("libqovin.so").toString());
        return new LoadedNatives(folder);
    }
}
