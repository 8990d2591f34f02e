// resource.h of tamber_component, %%TITLE%%
